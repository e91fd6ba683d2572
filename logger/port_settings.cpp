// The two settings, "COMn" texts.
#include "logger/port_settings.h"

#include "logger/port_search.h"
#include "win/settings.h"

namespace {

int ReadPort(const wchar_t* value) {
    std::u16string name;
    return ReadSettingText(value, name) ? PortNumber(name) : 0;
}

void WritePort(const wchar_t* value, int number) {
    if (number > 0)
        WriteSettingText(value, PortName(number));
    else
        DeleteSetting(value);
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
