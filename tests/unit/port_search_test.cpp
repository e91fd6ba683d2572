// Which ports a download tries, in which order, and the one message when
// none of them gives a complete reply.
#include <gtest/gtest.h>

#include <vector>

#include "core/messages.h"
#include "logger/logger_reply.h"
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

// A complete reply: hex digits, anything at the two unread places, the
// carriage return last.
std::vector<unsigned char> GoodReply() {
    std::vector<unsigned char> r(ReplyBufferSize, 0);
    for (int i = 0; i < CompleteReplyLength - 1; ++i)
        r[static_cast<size_t>(i)] = "0123456789ABCDEF"[i % 16];
    r[5046] = 'x';
    r[5048] = ' ';
    r[CompleteReplyLength - 1] = '\r';
    return r;
}

TEST(ParallelSearch, APortIsDroppedTheMomentItsBytesCannotBeAGoodReply) {
    const std::vector<unsigned char> good = GoodReply();
    EXPECT_TRUE(CouldBeCompleteReply(good.data(), 0));
    EXPECT_TRUE(CouldBeCompleteReply(good.data(), 5047)); // 'x' at an unread place
    EXPECT_TRUE(CouldBeCompleteReply(good.data(), CompleteReplyLength));
    EXPECT_FALSE(CouldBeCompleteReply(good.data(), CompleteReplyLength + 1));
    const struct {
        const char* bytes;
        AfterByte after;
        PortOutcome outcome;
    } cases[] = {
        {"0", AfterByte::ReadOn, PortOutcome::BrokenOff},
        {"0A9F", AfterByte::ReadOn, PortOutcome::BrokenOff},
        {"$GPGGA", AfterByte::Drop, PortOutcome::BadReply}, // a GPS receiver's first byte
        {"0a", AfterByte::Drop, PortOutcome::BadReply},     // lower case is no digit
        {"12\r", AfterByte::Drop, PortOutcome::BadReply},   // ended far too early
    };
    for (const auto& c : cases) {
        PortSearch s = StartPortSearch(1);
        std::vector<unsigned char> reply(ReplyBufferSize, 0);
        AfterByte after = AfterByte::ReadOn;
        int length = 0;
        for (const char* b = c.bytes; *b && after == AfterByte::ReadOn; ++b) {
            reply[static_cast<size_t>(length++)] = static_cast<unsigned char>(*b);
            after = TakeByte(s, 0, reply.data(), length);
        }
        EXPECT_EQ(after, c.after) << c.bytes;
        EXPECT_EQ(s.ports[0].outcome, c.outcome) << c.bytes;
        EXPECT_EQ(s.ports[0].active, after == AfterByte::ReadOn) << c.bytes;
    }
    PortSearch s = StartPortSearch(1);
    for (int n = 1; n < CompleteReplyLength; ++n)
        ASSERT_EQ(TakeByte(s, 0, good.data(), n), AfterByte::ReadOn) << n;
    EXPECT_EQ(TakeByte(s, 0, good.data(), CompleteReplyLength), AfterByte::Complete);
    EXPECT_EQ(s.ports[0].outcome, PortOutcome::Complete);
}

TEST(ParallelSearch, TheEarliestOfThoseAheadLeadsAndOfThoseCompleteWins) {
    const std::vector<unsigned char> good = GoodReply();
    PortSearch s = StartPortSearch(5);
    EXPECT_EQ(PortAhead(s), -1); // empty until a first byte
    PortLeftOut(s, 0, PortOutcome::CannotOpen);
    TakeByte(s, 2, good.data(), 3);
    TakeByte(s, 3, good.data(), 3);
    EXPECT_EQ(PortAhead(s), 2); // a tie: the earlier
    TakeByte(s, 3, good.data(), 4);
    EXPECT_EQ(PortAhead(s), 3);
    TakeSilence(s, 1);
    EXPECT_EQ(s.ports[1].outcome, PortOutcome::Silent);
    TakeSilence(s, 3);
    EXPECT_EQ(s.ports[3].outcome, PortOutcome::BrokenOff);
    EXPECT_EQ(PortAhead(s), 2); // a port given up is behind every other
    EXPECT_FALSE(SearchOver(s));
    EXPECT_FALSE(ChooseWinner(s, {}));
    EXPECT_TRUE(ChooseWinner(s, {4, 2}));
    EXPECT_EQ(s.winner, 2);
    EXPECT_TRUE(SearchOver(s));
    for (const SearchedPort& p : s.ports)
        EXPECT_FALSE(p.active);
    // Without a winner the farthest any port got still gives the message.
    PortSearch none = StartPortSearch(3);
    PortLeftOut(none, 0, PortOutcome::CannotOpen);
    TakeSilence(none, 1);
    TakeSilence(none, 2);
    EXPECT_TRUE(SearchOver(none));
    EXPECT_EQ(SearchFailureMessage(SearchOutcomes(none)), NoCommunicationText);
}

} // namespace
