// The settings key, opened for each read or write and closed at once.
#include "win/settings.h"

#include "win/owned_handle.h"

namespace {

constexpr wchar_t SettingsKey[] = L"Software\\MARVEK2";
constexpr DWORD TextUnits = 256;

// The value's bytes if it is of the type and fits; false otherwise.
bool Read(const wchar_t* name, DWORD wanted, void* out, DWORD& bytes) {
    OwnedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    return RegQueryValueExW(key.get(), name, nullptr, &type, static_cast<BYTE*>(out), &bytes) ==
               ERROR_SUCCESS &&
           type == wanted;
}

void Write(const wchar_t* name, DWORD type, const void* data, size_t bytes) {
    OwnedKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data),
                   static_cast<DWORD>(bytes));
}

} // namespace

bool ReadSettingText(const wchar_t* name, std::u16string& out) {
    char16_t text[TextUnits + 1] = {};
    DWORD bytes = TextUnits * sizeof(char16_t);
    if (!Read(name, REG_SZ, text, bytes)) return false;
    out.assign(text, bytes / sizeof(char16_t));
    while (!out.empty() && out.back() == 0) // a REG_SZ may or may not end with its zero
        out.pop_back();
    return true;
}

void WriteSettingText(const wchar_t* name, const std::u16string& text) {
    Write(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

bool ReadSettingNumber(const wchar_t* name, uint32_t& out) {
    DWORD value = 0, bytes = sizeof value;
    if (!Read(name, REG_DWORD, &value, bytes) || bytes != sizeof value) return false;
    out = value;
    return true;
}

void WriteSettingNumber(const wchar_t* name, uint32_t value) {
    const DWORD data = value;
    Write(name, REG_DWORD, &data, sizeof data);
}

bool ReadSettingBytes(const wchar_t* name, void* out, size_t size) {
    DWORD bytes = static_cast<DWORD>(size);
    return Read(name, REG_BINARY, out, bytes) && bytes == size;
}

void WriteSettingBytes(const wchar_t* name, const void* data, size_t size) {
    Write(name, REG_BINARY, data, size);
}

void DeleteSetting(const wchar_t* name) {
    OwnedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.get(), name);
}
