// The two settings in the registry.
#include "logger/port_settings.h"

#include <windows.h>

#include "logger/port_search.h"
#include "win/wide.h"

namespace {

constexpr wchar_t SettingsKey[] = L"Software\\MARVEK2";

int ReadPort(const wchar_t* value) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    wchar_t data[16] = {};
    DWORD type = 0, bytes = sizeof data - sizeof(wchar_t);
    const bool read = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                       &bytes) == ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(key);
    return read ? PortNumber(Utf16(data)) : 0;
}

void WritePort(const wchar_t* value, int number) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (number > 0) {
        const std::u16string name = PortName(number);
        RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                       static_cast<DWORD>((name.size() + 1) * sizeof(char16_t)));
    } else {
        RegDeleteValueW(key, value);
    }
    RegCloseKey(key);
}

} // namespace

int RememberedPort() {
    return ReadPort(L"LastPort");
}

int ChosenPort() {
    return ReadPort(L"Port");
}

void RememberPort(int number) {
    WritePort(L"LastPort", number);
}

void ChoosePort(int number) {
    WritePort(L"Port", number);
}
