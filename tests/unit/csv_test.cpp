// Sample times on the calendar and the CSV export's bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "core/calendar.h"
#include "files/csv.h"

namespace {

std::string Line(const std::string& csv, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = csv.find("\r\n", start) + 2;
    return csv.substr(start, csv.find("\r\n", start) - start);
}

TEST(Calendar, AddsMinutesAcrossDaysMonthsYearsAndLeapDays) {
    const struct {
        Stamp start;
        int64_t minutes;
        bool real;
        DateTime expected;
    } cases[] = {
        {{2015, 6, 2, 2, 5, 0}, 839, true, {2015, 6, 2, 18, 59}},
        {{2024, 2, 4, 28, 23, 30}, 30, true, {2024, 2, 29, 0, 0}}, // leap year
        {{2023, 2, 2, 28, 23, 30}, 30, true, {2023, 3, 1, 0, 0}},
        {{2100, 2, 0, 28, 23, 59}, 1, true, {2100, 3, 1, 0, 0}},  // not a leap year
        {{2000, 2, 0, 29, 12, 0}, 0, true, {2000, 2, 29, 12, 0}}, // but 2000 is
        {{2015, 12, 4, 31, 23, 0}, 839, true, {2016, 1, 1, 12, 59}},
        {{9999, 12, 5, 31, 23, 59}, 0, true, {9999, 12, 31, 23, 59}},
        {{9999, 12, 5, 31, 23, 59}, 1, false, {}}, // after the year 9999
        {{2015, 2, 0, 29, 5, 0}, 0, false, {}},
        {{2015, 13, 0, 1, 5, 0}, 0, false, {}},
        {{0, 1, 0, 1, 5, 0}, 0, false, {}},
        {{2015, 6, 0, 2, 24, 0}, 0, false, {}},
        {{2015, 6, 0, 2, 5, 60}, 0, false, {}},
        {{2015, 6, 0, 0, 5, 0}, 0, false, {}},
    };
    for (const auto& c : cases) {
        DateTime t = {};
        ASSERT_EQ(AddMinutes(c.start, c.minutes, t), c.real)
            << c.start.Year << "/" << c.start.Month;
        if (!c.real) continue;
        EXPECT_EQ(std::memcmp(&t, &c.expected, sizeof t), 0)
            << t.year << "/" << t.month << "/" << t.day << " " << t.hour << ":" << t.minute;
    }
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField("plain (lx)"), "plain (lx)");
    EXPECT_EQ(CsvField("a,b (lx)"), "\"a,b (lx)\"");
    EXPECT_EQ(CsvField("say \"hi\" (lx)"), "\"say \"\"hi\"\" (lx)\"");
    EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");
}

TEST(Csv, HeaderNamesAndEveryLineOfTheDay) {
    Recording r = {};
    std::strcpy(r.RecordingTexts.Ch1Name, "\x93\x8C"); // 東
    std::strcpy(r.RecordingTexts.Ch2Name, "   ");
    r.StartStamp = {2024, 2, 4, 28, 23, 30};
    r.Ch1Samples[0] = -2;
    r.Ch2Samples[839] = INT32_MAX;
    const std::string csv = RecordingCsv(r);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(Line(csv, 0).substr(3), "\xE7\x95\xAA\xE5\x8F\xB7,\xE6\x97\xA5\xE6\x99\x82,"
                                      "\xE6\x9D\xB1 (lx),CH2 (lx)");
    EXPECT_EQ(Line(csv, 1), "1,2024/02/28 23:30,-100,0");
    EXPECT_EQ(Line(csv, 31), "31,2024/02/29 00:00,0,0");
    EXPECT_EQ(Line(csv, 840), "840,2024/02/29 13:29,0,107374182350");
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    size_t lines = 0;
    for (size_t i = 0; (i = csv.find("\r\n", i)) != std::string::npos; i += 2)
        ++lines;
    EXPECT_EQ(lines, 841u);

    r.StartStamp.Day = 30; // no 30 February: every date-time is empty
    EXPECT_EQ(Line(RecordingCsv(r), 1), "1,,-100,0");
}

} // namespace
