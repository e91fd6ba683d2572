// The recording file: what the writer produces, what the reader accepts and
// refuses, and that the two agree.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "files/recording_file.h"

namespace {

std::string WriteFile(const Recording& r) {
    std::string file;
    char line[FileLineSize];
    for (int i = 0; i < RecordingFileLines; ++i) {
        const int n = RecordingFileLine(r, i, line);
        EXPECT_EQ(n, static_cast<int>(std::strlen(line)));
        file.append(line, n);
    }
    return file;
}

FileVerdict ReadFile(std::string bytes, Recording& out) {
    return ParseRecordingFile(&bytes[0], out); // std::string keeps a zero after its bytes
}

Recording Sample() {
    Recording r = {};
    std::strcpy(r.RecordingTexts.Title, "Roof");
    std::strcpy(r.RecordingTexts.Ch1Name, "East");
    std::strcpy(r.RecordingTexts.Ch2Name, "West");
    std::strcpy(r.RecordingTexts.Memo, " ");
    r.StartStamp = {2015, 6, 2, 2, 5, 0};
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = i * 5;
        r.Ch2Samples[i] = 4095 - i;
    }
    r.Ch2Samples[0] = 1;
    return r;
}

bool SameData(const Recording& a, const Recording& b) {
    return std::memcmp(&a.RecordingTexts, &b.RecordingTexts, sizeof a.RecordingTexts) == 0 &&
           std::memcmp(&a.StartStamp, &b.StartStamp, sizeof a.StartStamp) == 0 &&
           std::memcmp(a.Ch1Samples, b.Ch1Samples, sizeof a.Ch1Samples) == 0 &&
           std::memcmp(a.Ch2Samples, b.Ch2Samples, sizeof a.Ch2Samples) == 0;
}

TEST(RecordingFileWriter, WritesTheLinesInTheirOrder) {
    const std::string file = WriteFile(Sample());
    const std::string start =
        "MARVEK2\r\nRoof\r\nEast\r\nWest\r\n \r\n2015\r\n6\r\n2\r\n2\r\n5\r\n0\r\n"
        "NO 1\r\n0\r\n1\r\nNO 2\r\n5\r\n4094\r\n";
    EXPECT_EQ(file.substr(0, start.size()), start);
    const std::string end = "NO 840\r\n4195\r\n3256\r\n";
    EXPECT_EQ(file.substr(file.size() - end.size()), end);
    size_t lines = 0;
    for (size_t i = 0; i + 1 < file.size(); ++i)
        lines += file[i] == '\r' && file[i + 1] == '\n';
    EXPECT_EQ(lines, 2531u);
}

TEST(RecordingFileWriter, EmptyTextsBecomeTheOneSpacePlaceholder) {
    TextFields t = {};
    std::strcpy(t.Ch1Name, "  ");
    FillEmptyTexts(t);
    EXPECT_STREQ(t.Title, " ");
    EXPECT_STREQ(t.Ch1Name, "  ");
    EXPECT_STREQ(t.Ch2Name, " ");
    EXPECT_STREQ(t.Memo, " ");
}

TEST(RecordingFileWriter, NeverReadsPastAFieldWithoutTerminator) {
    Recording r = Sample();
    std::memset(r.RecordingTexts.Title, 'x', TextFieldSize); // no zero byte at all
    char line[FileLineSize];
    EXPECT_EQ(RecordingFileLine(r, 1, line), 63 + 2);
}

TEST(RecordingFileWriter, ALineBreakInATextNeverSplitsItsLine) {
    Recording r = Sample();
    std::strcpy(r.RecordingTexts.Title, "a\rb");
    std::strcpy(r.RecordingTexts.Memo, "c\r\nd\n");
    const std::string file = WriteFile(r);
    EXPECT_EQ(file.substr(0, 33), "MARVEK2\r\na b\r\nEast\r\nWest\r\nc  d \r\n");
    Recording back = {};
    ASSERT_EQ(ReadFile(file, back), FileVerdict::Read);
    EXPECT_EQ(back.StartStamp.Year, 2015);
    EXPECT_EQ(back.Ch2Samples[839], r.Ch2Samples[839]);
}

TEST(RecordingFileRoundTrip, GivesBackExactlyWhatWasSaved) {
    Recording cases[3] = {Sample(), Sample(), Sample()};
    cases[1].Ch1Samples[0] = INT32_MIN;
    cases[1].Ch2Samples[839] = INT32_MAX;
    cases[1].Ch1Samples[5] = -2;
    cases[1].StartStamp = {-1, INT32_MAX, 9, INT32_MIN, 23, 59};
    std::strcpy(cases[2].RecordingTexts.Title, "\t lead and trail \t");
    std::strcpy(cases[2].RecordingTexts.Ch1Name, "東側センサー"); // double-byte text
    std::memset(cases[2].RecordingTexts.Memo, 'm', 63);
    cases[2].RecordingTexts.Memo[63] = 0;
    for (const Recording& saved : cases) {
        Recording read = {};
        read.DataLoaded = 7;
        ASSERT_EQ(ReadFile(WriteFile(saved), read), FileVerdict::Read);
        EXPECT_TRUE(SameData(saved, read));
        EXPECT_EQ(read.DataLoaded, 7); // the caller decides when it counts as loaded
    }
}

TEST(RecordingFileReader, LineEndsAndBlankLinesDoNotMatter) {
    const Recording saved = Sample();
    const std::string crlf = WriteFile(saved);
    std::string lf, cr, blank;
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r') continue;
        lf += crlf[i];
        cr += crlf[i] == '\n' ? '\r' : crlf[i];
        blank += crlf[i] == '\n' ? std::string("\r\n\n\r\r\n") : std::string(1, crlf[i]);
    }
    const std::string variants[] = {lf, cr, "\r\n\r\n\n" + blank, crlf + "extra\r\nlines\r\n",
                                    crlf.substr(0, crlf.size() - 2)};
    for (const std::string& v : variants) {
        Recording read = {};
        ASSERT_EQ(ReadFile(v, read), FileVerdict::Read);
        EXPECT_TRUE(SameData(saved, read));
    }
}

TEST(RecordingFileReader, HeadersAreSkippedUnread) {
    std::string file = WriteFile(Sample());
    const size_t at = file.find("NO 1\r\n");
    file.replace(at, 4, "NO 5 whatever");
    Recording read = {};
    ASSERT_EQ(ReadFile(file, read), FileVerdict::Read);
    EXPECT_TRUE(SameData(Sample(), read));
}

TEST(RecordingFileReader, RefusesWrongOrShortFilesAndLeavesTheRecordingAlone) {
    const std::string good = WriteFile(Sample());
    const std::string wrong[] = {
        "",
        "\r\n\n\r",
        "marvek2" + good.substr(7),
        "MARVEK2 " + good.substr(7),
        "\xEF\xBB\xBF" + good,
        "MARVEK" + good.substr(7),
        good.substr(0, good.rfind("\r\n", good.size() - 3) + 2), // one line short
        "MARVEK2\r\n",
        good.substr(0, 400) + std::string(1, '\0') + good.substr(401), // a zero ends the text
    };
    for (const std::string& w : wrong) {
        Recording kept = Sample();
        kept.DataLoaded = 1;
        EXPECT_EQ(ReadFile(w, kept), FileVerdict::WrongFile) << w.substr(0, 20);
        EXPECT_TRUE(SameData(kept, Sample()));
        EXPECT_EQ(kept.DataLoaded, 1);
    }
}

TEST(RecordingFileReader, LongTextLinesAreCutTo63BytesOnACharacterBoundary) {
    std::string file = WriteFile(Sample());
    const std::string ascii(70, 'a');
    std::string wide = "bb"; // then double-byte characters: byte 63 is a lead byte
    for (int i = 0; i < 32; ++i)
        wide += "\x82\xA0";
    file.replace(file.find("Roof"), 4, ascii);
    file.replace(file.find("East"), 4, wide);
    Recording read = {};
    ASSERT_EQ(ReadFile(file, read), FileVerdict::Read);
    EXPECT_EQ(std::string(read.RecordingTexts.Title), std::string(63, 'a'));
    EXPECT_EQ(std::string(read.RecordingTexts.Ch1Name), wide.substr(0, 62));
    EXPECT_STREQ(read.RecordingTexts.Ch2Name, "West"); // nothing spilled over
}

TEST(NumberParser, ReadsLikeTheFileFormatSays) {
    struct {
        const char* line;
        int32_t value;
    } cases[] = {
        {"0", 0},
        {"123", 123},
        {"-2", -2},
        {"+17", 17},
        {"007", 7},
        {" \t-45", -45},
        {"12abc", 12},
        {"abc", 0},
        {" ", 0},
        {"-", 0},
        {"--5", 0},
        {"+-5", 0},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MIN}, // wraps
        {"4294967297", 1},         // modulo 2^32
        {"99999999999999999999", 1661992959},
        {"1 2", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseNumber(c.line), c.value) << '"' << c.line << '"';
}

TEST(LineSplitter, SkipsSeparatorRunsAndStopsAtTheZero) {
    char text[] = "\r\n\nfirst\rsecond\n\n\r\nthird\r\n  \r\n";
    LineSplitter s = {text};
    const char* expected[] = {"first", "second", "third", "  "};
    for (const char* e : expected) {
        const char* line = NextLine(s);
        ASSERT_NE(line, nullptr);
        EXPECT_STREQ(line, e);
    }
    EXPECT_EQ(NextLine(s), nullptr);
    EXPECT_EQ(NextLine(s), nullptr);
}

} // namespace
