// Which ports a download tries, in which order, and the one message when
// none of them gives a complete reply.
#include <gtest/gtest.h>

#include "core/messages.h"
#include "logger/port_search.h"

namespace {

TEST(PortSearch, OnlyComOneToTwoHundredFiftySixAreNames) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"COM1", 1},        {u"COM17", 17},  {u"com256", 256}, {u"Com9", 9}, {u"COM257", 0},
        {u"COM0", 0},        {u"COM05", 0},   {u"COM", 0},      {u"LPT1", 0}, {u"COM1 ", 0},
        {u"\\\\.\\COM3", 0}, {u"COM1000", 0}, {u"", 0},
    };
    for (const auto& [name, number] : cases)
        EXPECT_EQ(PortNumber(name), number) << number;
    EXPECT_TRUE(PortName(17) == u"COM17");
    EXPECT_TRUE(PortName(256) == u"COM256");
}

ListedPort Port(int number, bool bluetooth = false) {
    return {number, bluetooth, u""};
}

std::vector<int> Numbers(const std::vector<ListedPort>& ports) {
    std::vector<int> n;
    for (const ListedPort& p : ports)
        n.push_back(p.number);
    return n;
}

TEST(PortSearch, TheSystemsPortsAscendingOnceOrComOneToFifteen) {
    EXPECT_EQ(Numbers(PortsToOffer({Port(17), Port(3), Port(16), Port(3), Port(0), Port(300)})),
              (std::vector<int>{3, 16, 17}));
    EXPECT_EQ(Numbers(PortsToOffer({})),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(PortSearch, RememberedFirstWhenListedThenAscendingWithoutBluetooth) {
    const std::vector<ListedPort> offered = {Port(1), Port(4, true), Port(5), Port(16), Port(17)};
    const struct {
        int remembered;
        std::vector<int> order;
    } cases[] = {
        {0, {1, 5, 16, 17}}, {17, {17, 1, 5, 16}},
        {5, {5, 1, 16, 17}}, {9, {1, 5, 16, 17}}, // remembered but no longer listed
        {4, {1, 5, 16, 17}},                      // a Bluetooth link is never searched
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchOrder(offered, c.remembered), c.order) << c.remembered;
}

TEST(PortSearch, TheFarthestAnyPortGotChoosesTheMessage) {
    using O = PortOutcome;
    const struct {
        std::vector<O> outcomes;
        const char16_t* message;
    } cases[] = {
        {{}, PortCannotOpenText},
        {{O::CannotOpen, O::CannotOpen}, PortCannotOpenText},
        {{O::CannotOpen, O::Silent}, NoCommunicationText},
        {{O::CannotSetUp}, NoCommunicationText},
        {{O::Silent, O::BrokenOff, O::CannotOpen}, BadReplyText},
        {{O::BadReply, O::Silent}, BadReplyText},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchFailureMessage(c.outcomes), c.message);
}

TEST(PortSearch, AChosenPortKeepsTheMessagesOfASinglePort) {
    EXPECT_EQ(ChosenPortFailureMessage(PortOutcome::CannotOpen), PortCannotOpenText);
    EXPECT_EQ(ChosenPortFailureMessage(PortOutcome::CannotSetUp), NoCommunicationText);
    EXPECT_EQ(ChosenPortFailureMessage(PortOutcome::Silent), NoCommunicationText);
    EXPECT_EQ(ChosenPortFailureMessage(PortOutcome::BrokenOff), NoCommunicationText);
    EXPECT_EQ(ChosenPortFailureMessage(PortOutcome::BadReply), BadReplyText);
    EXPECT_EQ(ChosenPortFailureMessage(PortOutcome::Complete), nullptr);
}

} // namespace
