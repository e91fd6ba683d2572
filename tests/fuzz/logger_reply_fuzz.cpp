// Any bytes as the logger's reply, taken one at a time as the download reads
// them: the stop rule keeps within the buffer; a reply judged complete
// decodes into counts and a stamp its digits allow, leaves the texts alone,
// and written back as hex gives the very bytes that were read.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "logger/logger_reply.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

bool SameDigits(const unsigned char* at, const char* digits) {
    return std::memcmp(at, digits, std::strlen(digits)) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned char reply[ReplyBufferSize];
    std::memset(reply, 0, sizeof reply);
    int length = -1;
    for (size_t i = 0; i < size; ++i) {
        Check(i < static_cast<size_t>(ReplyStoredLimit));
        reply[i] = data[i];
        if (ReplyEnds(data[i], static_cast<int>(i))) {
            length = static_cast<int>(i) + 1;
            break;
        }
    }
    if (length < 0) return 0; // the logger fell silent: a failed read
    if (!IsCompleteReply(reply, length)) return 0;

    static Recording r;
    std::memset(&r, 0x5A, sizeof r);
    DecodeReply(reply, r);
    for (unsigned char b : r.RecordingTexts.Title)
        Check(b == 0x5A);
    Check(r.DataLoaded == 0x5A5A5A5A);
    char digits[8];
    for (int k = 0; k < SampleCount; ++k) {
        Check(r.Ch1Samples[k] >= 0 && r.Ch1Samples[k] <= 0xFFF);
        Check(r.Ch2Samples[k] >= 0 && r.Ch2Samples[k] <= 0xFFF);
        std::snprintf(digits, sizeof digits, "%03X%03X", r.Ch1Samples[k], r.Ch2Samples[k]);
        Check(SameDigits(reply + 6 * k, digits));
    }
    const Stamp& s = r.StartStamp;
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", s.Minute, s.Hour, s.Day);
    Check(SameDigits(reply + 5040, digits));
    std::snprintf(digits, sizeof digits, "%X", s.Weekday);
    Check(SameDigits(reply + 5047, digits));
    std::snprintf(digits, sizeof digits, "%X", s.Month);
    Check(SameDigits(reply + 5049, digits));
    std::snprintf(digits, sizeof digits, "%02X", s.Year - 2000);
    Check(SameDigits(reply + 5050, digits));
    Check(reply[5052] == '\r');
    return 0;
}
