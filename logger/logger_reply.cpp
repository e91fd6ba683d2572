// Reply layout: 840 groups of six digits (CH1 then CH2, three each), then
// minute, hour, day (two digits each), one unread byte, the weekday, one
// unread byte, the month (one digit), the year less 2000 (two digits), CR.
#include "logger/logger_reply.h"

namespace {

constexpr int TrailerStart = 6 * SampleCount; // 5040

int32_t Field(const unsigned char* p, int digits) {
    int32_t value = 0;
    for (int i = 0; i < digits; ++i)
        value = value * 16 + HexDigitValue(p[i]);
    return value;
}

bool IsUnreadPosition(int position) {
    return position == TrailerStart + 6 || position == TrailerStart + 8;
}

} // namespace

bool ReplyEnds(unsigned char byte, int position) {
    return byte == '\r' || position >= ReplyStoredLimit - 1;
}

int HexDigitValue(unsigned char byte) {
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
    return -1;
}

bool IsCompleteReply(const unsigned char* reply, int length) {
    if (length != CompleteReplyLength || reply[CompleteReplyLength - 1] != '\r') return false;
    for (int i = 0; i < CompleteReplyLength - 1; ++i)
        if (!IsUnreadPosition(i) && HexDigitValue(reply[i]) < 0) return false;
    return true;
}

bool CouldBeCompleteReply(const unsigned char* reply, int length) {
    if (length > CompleteReplyLength) return false;
    for (int i = 0; i < length; ++i) {
        if (i == CompleteReplyLength - 1) return reply[i] == '\r';
        if (!IsUnreadPosition(i) && HexDigitValue(reply[i]) < 0) return false;
    }
    return true;
}

void DecodeReply(const unsigned char* reply, Recording& r) {
    for (int k = 0; k < SampleCount; ++k) {
        r.Ch1Samples[k] = Field(reply + 6 * k, 3);
        r.Ch2Samples[k] = Field(reply + 6 * k + 3, 3);
    }
    const unsigned char* t = reply + TrailerStart;
    r.StartStamp.Minute = Field(t, 2);
    r.StartStamp.Hour = Field(t + 2, 2);
    r.StartStamp.Day = Field(t + 4, 2);
    r.StartStamp.Weekday = Field(t + 7, 1);
    r.StartStamp.Month = Field(t + 9, 1);
    r.StartStamp.Year = 2000 + Field(t + 10, 2);
}
