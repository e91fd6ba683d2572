// Any bytes as the logger's reply, taken one at a time as the download reads
// them: the stop rule keeps within the buffer; a reply judged complete
// decodes into counts and a stamp its digits allow, leaves the texts alone,
// and written back as hex gives the very bytes that were read.
#include <cstdint>
#include <cstring>

#include "logger/logger_reply.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

// The upper-case hex digits of `value` in `width` places.
bool SameDigits(const unsigned char* at, int32_t value, int width) {
    for (int i = width - 1; i >= 0; --i, value >>= 4)
        if (at[i] != "0123456789ABCDEF"[value & 0xF]) return false;
    return value == 0;
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
    for (int k = 0; k < SampleCount; ++k) {
        Check(r.Ch1Samples[k] >= 0 && r.Ch1Samples[k] <= 0xFFF);
        Check(r.Ch2Samples[k] >= 0 && r.Ch2Samples[k] <= 0xFFF);
        Check(SameDigits(reply + 6 * k, r.Ch1Samples[k], 3));
        Check(SameDigits(reply + 6 * k + 3, r.Ch2Samples[k], 3));
    }
    const Stamp& s = r.StartStamp;
    Check(SameDigits(reply + 5040, s.Minute, 2));
    Check(SameDigits(reply + 5042, s.Hour, 2));
    Check(SameDigits(reply + 5044, s.Day, 2));
    Check(SameDigits(reply + 5047, s.Weekday, 1));
    Check(SameDigits(reply + 5049, s.Month, 1));
    Check(SameDigits(reply + 5050, s.Year - 2000, 2));
    Check(reply[5052] == '\r');
    return 0;
}
