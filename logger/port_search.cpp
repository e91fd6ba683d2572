// The port search's rules.
#include "logger/port_search.h"

#include <algorithm>

#include "core/messages.h"
#include "core/text.h"
#include "logger/logger_reply.h"

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

PortSearch StartPortSearch(int ports) {
    PortSearch s;
    s.ports.resize(static_cast<size_t>(std::max(0, ports)));
    return s;
}

void PortLeftOut(PortSearch& s, int place, PortOutcome outcome) {
    SearchedPort& p = s.ports[static_cast<size_t>(place)];
    p.outcome = outcome;
    p.active = false;
}

AfterByte TakeByte(PortSearch& s, int place, const unsigned char* reply, int length) {
    SearchedPort& p = s.ports[static_cast<size_t>(place)];
    p.length = length;
    p.outcome = PortOutcome::BrokenOff;
    if (ReplyEnds(reply[length - 1], length - 1)) {
        p.active = false;
        if (IsCompleteReply(reply, length)) {
            p.outcome = PortOutcome::Complete;
            return AfterByte::Complete;
        }
        p.outcome = PortOutcome::BadReply;
        return AfterByte::Drop;
    }
    if (!CouldBeCompleteReply(reply, length)) {
        p.active = false;
        p.outcome = PortOutcome::BadReply;
        return AfterByte::Drop;
    }
    return AfterByte::ReadOn;
}

void TakeSilence(PortSearch& s, int place) {
    SearchedPort& p = s.ports[static_cast<size_t>(place)];
    p.active = false;
    p.outcome = p.length == 0 ? PortOutcome::Silent : PortOutcome::BrokenOff;
}

bool ChooseWinner(PortSearch& s, const std::vector<int>& completed) {
    if (completed.empty()) return false;
    s.winner = *std::min_element(completed.begin(), completed.end());
    for (SearchedPort& p : s.ports)
        p.active = false;
    return true;
}

int PortAhead(const PortSearch& s) {
    int ahead = -1;
    for (size_t i = 0; i < s.ports.size(); ++i) {
        const SearchedPort& p = s.ports[i];
        if (p.length > 0 && (p.active || p.outcome == PortOutcome::Complete) &&
            (ahead < 0 || p.length > s.ports[static_cast<size_t>(ahead)].length))
            ahead = static_cast<int>(i);
    }
    return ahead;
}

bool SearchOver(const PortSearch& s) {
    if (s.winner >= 0) return true;
    for (const SearchedPort& p : s.ports)
        if (p.active) return false;
    return true;
}

std::vector<PortOutcome> SearchOutcomes(const PortSearch& s) {
    std::vector<PortOutcome> outcomes;
    for (const SearchedPort& p : s.ports)
        outcomes.push_back(p.outcome);
    return outcomes;
}
