// Decoding and checking the logger's reply.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "logger/logger_reply.h"

namespace {

struct Buffer {
    unsigned char bytes[ReplyBufferSize] = {};
    int length = 0;
};

Buffer Reply(const std::string& text) {
    Buffer b;
    std::memcpy(b.bytes, text.data(), text.size());
    b.length = static_cast<int>(text.size());
    return b;
}

std::string WellFormed() {
    std::string counts;
    for (int k = 0; k < SampleCount; ++k) {
        char group[8];
        std::snprintf(group, sizeof group, "%03X%03X", k * 4 % 4096, 4095 - k);
        counts += group;
    }
    return counts + "1E050Fx3y60F\r";
}

TEST(LoggerReply, DecodesAWellFormedReply) {
    const std::string text = WellFormed();
    ASSERT_EQ(text.size(), 5053u);
    const Buffer b = Reply(text);
    EXPECT_TRUE(IsCompleteReply(b.bytes, b.length));
    Recording r = {};
    std::strcpy(r.RecordingTexts.Title, "kept");
    DecodeReply(b.bytes, r);
    EXPECT_EQ(r.StartStamp.Minute, 30);
    EXPECT_EQ(r.StartStamp.Hour, 5);
    EXPECT_EQ(r.StartStamp.Day, 15);
    EXPECT_EQ(r.StartStamp.Weekday, 3);
    EXPECT_EQ(r.StartStamp.Month, 6);
    EXPECT_EQ(r.StartStamp.Year, 2015);
    EXPECT_EQ(r.Ch1Samples[0], 0);
    EXPECT_EQ(r.Ch2Samples[0], 4095);
    EXPECT_EQ(r.Ch1Samples[839], 839 * 4 % 4096);
    EXPECT_EQ(r.Ch2Samples[839], 4095 - 839);
    EXPECT_STREQ(r.RecordingTexts.Title, "kept");
}

TEST(LoggerReply, NonDigitsCountAsMinusOneInTheSum) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    for (int c : {'a', 'f', 'G', '\0', '\r', ' ', '\xFF'})
        EXPECT_EQ(HexDigitValue(static_cast<unsigned char>(c)), -1) << c;

    Buffer b = Reply("00A"
                     "fff"
                     "\r"); // short: everything after is zero bytes
    Recording r = {};
    DecodeReply(b.bytes, r);
    EXPECT_EQ(r.Ch1Samples[0], 10);
    EXPECT_EQ(r.Ch2Samples[0], -273); // -256 - 16 - 1
    EXPECT_EQ(r.Ch1Samples[1], -273); // the CR and two zero bytes
    EXPECT_EQ(r.Ch2Samples[839], -273);
    EXPECT_EQ(r.StartStamp.Minute, -17);
    EXPECT_EQ(r.StartStamp.Weekday, -1);
    EXPECT_EQ(r.StartStamp.Year, 2000 - 17);
}

TEST(LoggerReply, OnlyACompleteUpperCaseReplyCounts) {
    const std::string good = WellFormed();
    std::string lower = good, nonhex = good, stampBad = good, earlyCr = good;
    lower[100] = 'a';
    nonhex[3000] = 'G';
    stampBad[5041] = ' ';
    earlyCr[5051] = '\r';
    const std::string bad[] = {lower,
                               nonhex,
                               stampBad,
                               earlyCr.substr(0, 5052),
                               good.substr(0, 3000) + "\r",
                               good + "0",
                               good.substr(0, 5052)};
    for (const std::string& text : bad) {
        const Buffer b = Reply(text);
        EXPECT_FALSE(IsCompleteReply(b.bytes, b.length)) << text.size();
    }
    std::string unread = good; // two trailer positions are never read
    unread[5046] = 'z';
    unread[5048] = '\0';
    const Buffer b = Reply(unread);
    EXPECT_TRUE(IsCompleteReply(b.bytes, b.length));
}

TEST(LoggerReply, TheReadStopsAtTheCarriageReturnOrTheLimit) {
    EXPECT_TRUE(ReplyEnds('\r', 0));
    EXPECT_TRUE(ReplyEnds('\r', 5052));
    EXPECT_FALSE(ReplyEnds('0', 5052));
    EXPECT_FALSE(ReplyEnds('0', 5946));
    EXPECT_TRUE(ReplyEnds('0', 5947)); // the 5948th byte is the last one kept
    EXPECT_EQ(std::string(DumpCommand, DumpCommandLength), std::string("LUX22\r\0", 7));
}

} // namespace
