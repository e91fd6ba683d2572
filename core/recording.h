// The recording and its parts. Window-free and free of globals: the file
// codec, the reply decoder and the views take these types as arguments; the
// program's one recording lives in the store.
#pragma once
#include <cstdint>
#include <cstring>

constexpr int SampleCount = 840;
constexpr int32_t LuxPerCount = 50;
constexpr int TextFieldSize = 64; // 63 bytes of code page 932 text and a zero

// Written in place of an empty text when a recording is saved.
constexpr char EmptyPlaceholder[] = " ";
// A text that is the placeholder counts as empty wherever it is shown.
inline bool IsPlaceholder(const char* text) {
    return text[0] == ' ' && text[1] == 0;
}

struct TextFields {
    char Title[TextFieldSize];
    char Ch1Name[TextFieldSize];
    char Ch2Name[TextFieldSize];
    char Memo[TextFieldSize];
};

struct Stamp {
    int32_t Year; // full year
    int32_t Month;
    int32_t Weekday; // 0 = Sunday .. 6 = Saturday
    int32_t Day;
    int32_t Hour;
    int32_t Minute;
};

struct Recording {
    TextFields RecordingTexts;
    Stamp StartStamp;
    int32_t Ch1Samples[SampleCount];
    int32_t Ch2Samples[SampleCount];
    int32_t DataLoaded; // only 1 counts as loaded
};

// Full scales of the chart: 0..4 for 12500, 25000, 50000, 100000, 200000 lux.
constexpr int32_t RangeCount = 5;
constexpr int32_t InitialDisplayRange = 3;

// Sample n (1..840) was taken n - 1 minutes after the start time.
inline int64_t MinutesAfterStart(int64_t n) {
    return n - 1;
}
// Its time of day in minutes since the start day's midnight; not wrapped at
// 24 hours, and negative where a hand-edited stamp makes it so.
inline int64_t SampleMinuteOfDay(const Stamp& start, int64_t n) {
    return int64_t{start.Hour} * 60 + start.Minute + MinutesAfterStart(n);
}

inline bool IsLoaded(const Recording& r) {
    return r.DataLoaded == 1;
}

// Empty texts, zero counts, zero stamp, not loaded.
inline void EmptyRecording(Recording& r) {
    std::memset(&r, 0, sizeof r);
}
