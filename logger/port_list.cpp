// The device map names every port that exists; only the device manager
// knows which are Bluetooth links and what a user would call them.
#include "logger/port_list.h"

#include <windows.h>

#include <setupapi.h>

#include <string>

#include "win/owned_handle.h"
#include "win/wide.h"

namespace {

using OwnedDeviceList = Owned<HDEVINFO, SetupDiDestroyDeviceInfoList>;

// GUID_DEVCLASS_PORTS, written here rather than linked from the GUID library.
constexpr GUID PortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// A REG_SZ value's text, without the zeros the data may end with.
std::u16string Text(const wchar_t* data, DWORD bytes) {
    std::u16string text(Utf16(data), bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == 0)
        text.pop_back();
    return text;
}

void ReadDeviceMap(std::vector<ListedPort>& ports) {
    OwnedKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                      key.put()) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[64];
        DWORD nameLength = 256, type = 0, bytes = sizeof data;
        const LONG got = RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type,
                                       reinterpret_cast<BYTE*>(data), &bytes);
        if (got == ERROR_NO_MORE_ITEMS) break;
        if (got != ERROR_SUCCESS || type != REG_SZ) continue;
        if (const int n = PortNumber(Text(data, bytes))) ports.push_back({n, false, u""});
    }
}

// The device's "PortName" under its hardware key, as a number.
int DevicePortNumber(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    OwnedKey key(SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
    if (!key.valid()) return 0;
    wchar_t data[64];
    DWORD type = 0, bytes = sizeof data;
    int n = 0;
    if (RegQueryValueExW(key.get(), L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &bytes) == ERROR_SUCCESS &&
        type == REG_SZ)
        n = PortNumber(Text(data, bytes));
    return n;
}

void ReadDeviceManager(std::vector<ListedPort>& ports) {
    const OwnedDeviceList list(SetupDiGetClassDevsW(&PortsClass, nullptr, nullptr, DIGCF_PRESENT));
    if (!list.valid()) return;
    HDEVINFO devices = list.get();
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        const int n = DevicePortNumber(devices, device);
        if (n == 0) continue;
        wchar_t id[512] = {};
        const bool bluetooth = SetupDiGetDeviceInstanceIdW(devices, &device, id, 512, nullptr) &&
                               _wcsnicmp(id, L"BTHENUM\\", 8) == 0;
        wchar_t friendly[256] = {};
        DWORD type = 0;
        if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, &type,
                                               reinterpret_cast<BYTE*>(friendly),
                                               sizeof friendly - sizeof(wchar_t), nullptr) ||
            type != REG_SZ)
            friendly[0] = 0;
        for (ListedPort& p : ports)
            if (p.number == n) {
                p.bluetooth = bluetooth;
                p.friendlyName = Utf16(friendly);
            }
    }
}

} // namespace

std::vector<ListedPort> SystemPorts() {
    std::vector<ListedPort> ports;
    ReadDeviceMap(ports);
    if (!ports.empty()) ReadDeviceManager(ports);
    return ports;
}
