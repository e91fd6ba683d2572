// The port search's rules.
#include "logger/port_search.h"

#include <algorithm>

#include "core/messages.h"
#include "core/text.h"

int PortNumber(std::u16string_view name) {
    if (name.size() < 4 || name.size() > 6) return 0;
    for (int i = 0; i < 3; ++i)
        if ((name[i] | 0x20) != u"com"[i]) return 0;
    if (name[3] == u'0') return 0;
    int n = 0;
    for (char16_t c : name.substr(3)) {
        if (c < u'0' || c > u'9') return 0;
        n = n * 10 + (c - u'0');
    }
    return n <= HighestPortNumber ? n : 0;
}

std::u16string PortName(int number) {
    return number > 0 ? u"COM" + AsciiToUtf16(NumberText(number)) : u"COM";
}

std::vector<ListedPort> PortsToOffer(std::vector<ListedPort> listed) {
    listed.erase(std::remove_if(listed.begin(), listed.end(),
                                [](const ListedPort& p) {
                                    return p.number < 1 || p.number > HighestPortNumber;
                                }),
                 listed.end());
    std::sort(listed.begin(), listed.end(),
              [](const ListedPort& a, const ListedPort& b) { return a.number < b.number; });
    listed.erase(
        std::unique(listed.begin(), listed.end(),
                    [](const ListedPort& a, const ListedPort& b) { return a.number == b.number; }),
        listed.end());
    if (listed.empty())
        for (int n = 1; n <= FallbackPortCount; ++n)
            listed.push_back({n, false, u""});
    return listed;
}

std::vector<int> SearchOrder(const std::vector<ListedPort>& offered, int remembered) {
    std::vector<int> order;
    for (const ListedPort& p : offered)
        if (p.number == remembered && !p.bluetooth) order.push_back(p.number);
    for (const ListedPort& p : offered)
        if (p.number != remembered && !p.bluetooth) order.push_back(p.number);
    return order;
}

const char16_t* SearchFailureMessage(const std::vector<PortOutcome>& outcomes) {
    bool opened = false;
    for (PortOutcome o : outcomes) {
        if (o == PortOutcome::BrokenOff || o == PortOutcome::BadReply) return BadReplyText;
        if (o != PortOutcome::CannotOpen) opened = true;
    }
    return opened ? NoCommunicationText : PortCannotOpenText;
}

const char16_t* ChosenPortFailureMessage(PortOutcome outcome) {
    switch (outcome) {
    case PortOutcome::CannotOpen: return PortCannotOpenText;
    case PortOutcome::BadReply: return BadReplyText;
    case PortOutcome::Complete: return nullptr;
    default: return NoCommunicationText; // not set up, or a read that timed out
    }
}
