// Printing to the bench's PDF printer (cups-pdf): the recording's page and
// the list's pages, read back from the PDF's bytes and its pages rasterised
// by pdftoppm at 150 dpi. Run by their own steps: with the bench's queue
// under a Japanese locale (where Wine hands the document's name to CUPS in
// code page 932), with the queue refusing jobs, and with no printer at all.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "print/report.h"
#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "list/period_map.h"
#include "tests/support/driver.h"
#include "tests/support/wait.h"
#include "tests/e2e/recording_files.h"

namespace {

// The bench's page: A4 landscape at 300 dpi, printable to the edge.
constexpr PageGeometry A4Landscape = {3508, 2479, 0, 0, 3508, 2479, 300};

std::string PdfFolder() {
    char unix[MAX_PATH] = {};
    GetEnvironmentVariableA("MARVEK_PDF_DIR", unix, sizeof unix);
    return unix;
}

std::wstring PdfPath(const std::wstring& name) {
    return Widened(WindowsPath(PdfFolder())) + L"\\" + name;
}

// The PDFs in the folder, each with when it was last written: cups-pdf names
// a file after the job's title and number, and a scheduler started afresh
// numbers from 1 again, so a new job may write over an old file.
std::map<std::wstring, uint64_t> Pdfs() {
    std::map<std::wstring, uint64_t> pdfs;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(PdfPath(L"*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return pdfs;
    do {
        pdfs[found.cFileName] = uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32 |
                                found.ftLastWriteTime.dwLowDateTime;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return pdfs;
}

// A PDF written since `before`, once cups-pdf has written it whole; its name,
// or empty after `ms`.
std::wstring NewPdf(const std::map<std::wstring, uint64_t>& before, DWORD ms = 30000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(200))
        for (const auto& [name, written] : Pdfs()) {
            const auto old = before.find(name);
            if (old != before.end() && old->second == written) continue;
            const std::string bytes = ReadBytes(PdfPath(name));
            if (bytes.find("%%EOF") != std::string::npos) return name;
        }
    return L"";
}

// A P6 PPM as a capture; false if it is not one.
bool ReadPpm(const std::string& bytes, Capture& out) {
    int width = 0, height = 0, maximum = 0, at = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &maximum, &at) != 3)
        return false;
    ++at; // the one white space after the maximum
    if (maximum != 255 || bytes.size() < static_cast<size_t>(at) + 3u * width * height)
        return false;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    for (size_t i = 0; i < out.pixels.size(); ++i, p += 3)
        out.pixels[i] = uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    return true;
}

// Each page of the PDF, as pdftoppm draws it without anti-aliasing. The PDF
// is the test's own and goes afterwards, so ~/PDF does not fill up.
std::vector<Capture> Rasterised(const std::wstring& name) {
    const std::string pdf = PdfFolder() + "/" + Narrowed(name);
    const std::string out = FolderForThisTest();
    const std::string unix = UnixPath(out);
    std::vector<Capture> pages;
    if (!StartUnixProgram("Z:\\bin\\sh -c \"pdftoppm -r 150 -aa no -aaVector no '" + pdf + "' '" +
                          unix + "page' && touch '" + unix + "done'\""))
        return pages;
    WaitUntil(30000, [&] {
        return GetFileAttributesA((out + "done").c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    for (const std::wstring& file : FolderListing(Widened(out))) {
        if (file.size() < 4 || file.substr(file.size() - 4) != L".ppm") continue;
        Capture page;
        if (ReadPpm(ReadBytes(Widened(out) + file), page)) pages.push_back(std::move(page));
    }
    DeleteFileW(PdfPath(name).c_str());
    return pages;
}

// A code page 932 text as a PDF literal string holds it: each byte beyond
// ASCII as a backslash and three octal digits (what Ghostscript writes).
std::string InPdf(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        out += '\\';
        for (int shift : {6, 3, 0})
            out += static_cast<char>('0' + (c >> shift & 7));
    }
    return out;
}

bool Dark(uint32_t p) {
    return (p >> 16 & 0xFF) < 128 && (p >> 8 & 0xFF) < 128 && (p & 0xFF) < 128;
}

// A pixel within one of (x, y) that `is` accepts.
template <class Is> bool Near(const Capture& c, int x, int y, Is is) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < c.width && py < c.height && is(c.at(px, py)))
                return true;
        }
    return false;
}

// The chart's grid lines and traces' vertices on a page rasterised at half
// the printer's resolution, where the page's layout puts them, within 1 px.
std::vector<std::string> PrintedChartFaults(const Capture& c, const Recording& r) {
    std::vector<std::string> faults;
    const ChartFrame f = LayOutRecordingPage(A4Landscape, 8).chart;
    auto note = [&](const char* what, int x, int y) {
        if (faults.size() < 12)
            faults.push_back(std::string(what) + " at " + std::to_string(x) + "," +
                             std::to_string(y));
    };
    // Looked at where the banded traces never go: above 95 % and at 47 %.
    for (int k = 0; k < 15; ++k)
        for (int y96 : {44, 299}) {
            const int x = FrameX(f, 60 + 60 * k) / 2, y = FrameY(f, y96) / 2;
            if (!Near(c, x, y, Dark)) note("no vertical grid line", x, y);
            if (Dark(c.at(x + 5, y)) && Dark(c.at(x - 5, y))) note("ink beside a line", x, y);
        }
    for (int k = 0; k < 6; ++k) {
        const int x = FrameX(f, 90) / 2, y = FrameY(f, 34 + 100 * k) / 2;
        if (!Near(c, x, y, Dark)) note("no horizontal grid line", x, y);
    }
    ChartPoint v1[SampleCount], v2[SampleCount];
    TraceVertices(r.Ch1Samples, 3, f, v1);
    TraceVertices(r.Ch2Samples, 3, f, v2);
    const auto blue = [](uint32_t p) { return (p & 0xFF) > 160 && (p >> 16 & 0xFF) < 96; };
    const auto red = [](uint32_t p) { return (p >> 16 & 0xFF) > 160 && (p & 0xFF) < 96; };
    for (int i = 3; i < SampleCount - 1; i += 7) {
        if (!Near(c, v1[i].x / 2, v1[i].y / 2, blue))
            note("no CH1 vertex", v1[i].x / 2, v1[i].y / 2);
        if (!Near(c, v2[i].x / 2, v2[i].y / 2, red))
            note("no CH2 vertex", v2[i].x / 2, v2[i].y / 2);
    }
    return faults;
}

int InkIn(const Capture& c, int top, int bottom) {
    int n = 0;
    for (int y = std::max(0, top); y < std::min(c.height, bottom); ++y)
        for (int x = 0; x < c.width; ++x)
            n += c.at(x, y) != White;
    return n;
}

// The print dialog the command opened, answered; false if none came.
bool AnswerPrintDialog(const Program& p, HWND owner, int button) {
    HWND dialog = WaitForDialog(p, "印刷", 10000);
    if (!dialog || GetWindow(dialog, GW_OWNER) != owner) return false;
    Click(dialog, button);
    Settle(p);
    return true;
}

using Print = ProgramTest;

// Ctrl+P, OK: one landscape page with the chart as vectors where its layout
// puts it, the texts around it, and the document's name as its title.
// Cancel prints nothing.
TEST_F(Print, TheRecordingOnOneLandscapePage) {
    Recording r = KnownRecording();
    BandedSamples(3, r.Ch1Samples, r.Ch2Samples);
    ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "day.mv2", r));
    auto before = Pdfs();
    PressCtrlKey(app, 'P');
    ASSERT_TRUE(AnswerPrintDialog(app, app.main, IDOK));
    EXPECT_EQ(TakeError(app, 300), "");
    const std::wstring name = NewPdf(before);
    ASSERT_FALSE(name.empty()) << "no PDF in " << PdfFolder();
    const std::string pdf = ReadBytes(PdfPath(name));
    // The document's name, as the PDF's Title.
    EXPECT_NE(pdf.find("/Title(\\(" + InPdf("MARVEK \x87\x55 - day.mv2")), std::string::npos);
    EXPECT_NE(pdf.find("/Rotate 90"), std::string::npos);

    const std::vector<Capture> pages = Rasterised(name);
    ASSERT_EQ(pages.size(), 1u);
    const Capture& page = pages[0];
    SaveScreenshot(page, "printed_recording");
    ASSERT_GE(page.width, 1754); // 3508 printer pixels, landscape
    ASSERT_GE(page.height, 1239);
    const std::vector<std::string> faults = PrintedChartFaults(page, r);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    const RecordingPageLayout l = LayOutRecordingPage(A4Landscape, 8);
    EXPECT_GT(InkIn(page, l.titleY / 2, l.headerY / 2), 100);
    EXPECT_GT(InkIn(page, l.headerY / 2, l.chart.top / 2), 300);
    EXPECT_GT(InkIn(page, l.tableY / 2, l.footerY / 2), 1000);
    EXPECT_GT(InkIn(page, l.footerY / 2, l.bottom / 2), 100);

    before = Pdfs();
    Choose(app, IDM_PRINT);
    ASSERT_TRUE(AnswerPrintDialog(app, app.main, IDCANCEL));
    EXPECT_TRUE(NewPdf(before, 3000).empty());
    EXPECT_EQ(TakeError(app, 300), "");
}

// The list's 印刷: every row over as many pages as it takes, the column
// titles on each page (the same line of ink as on the first), "n / N" at
// each foot.
TEST_F(Print, TheListOverPagesWithItsTitlesOnEach) {
    const std::string folder = ArchiveForThisTest() + "\\";
    Recording r = KnownRecording();
    for (int day = 1; day <= 80; ++day) {
        r.StartStamp = {2024, 1 + day / 29, 0, 1 + day % 28, 6, 0};
        char name[32];
        std::snprintf(name, sizeof name, "day%02d.mv2", day);
        ASSERT_TRUE(WriteBytes(folder + name, ReferenceFile(r)));
    }
    ASSERT_TRUE(WriteBytes(folder + "broken.mv2", "MARVEK2\r\n"));
    HWND list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
    ASSERT_NE(list, nullptr);
    const auto before = Pdfs();
    Click(list, IDC_LIST_PRINT);
    ASSERT_TRUE(AnswerPrintDialog(app, list, IDOK));
    const std::wstring name = NewPdf(before);
    ASSERT_FALSE(name.empty());
    const std::string pdf = ReadBytes(PdfPath(name));
    EXPECT_NE(pdf.find("/Title(\\(" + InPdf("MARVEK \x87\x55 - 記録の一覧")), std::string::npos);
    const std::vector<Capture> pages = Rasterised(name);
    ASSERT_GE(pages.size(), 2u);
    SaveScreenshot(pages[0], "printed_list");
    // The first line of ink on the second page is the titles' line; the
    // first page has the same pixels further down, below the heading.
    const Capture& first = pages[0];
    const Capture& second = pages[1];
    int top = 0;
    while (top < second.height && InkIn(second, top, top + 1) == 0)
        ++top;
    int height = 1;
    while (top + height < second.height && InkIn(second, top + height, top + height + 1) > 0)
        ++height;
    bool found = false;
    for (int y = top + height; y + height < first.height / 2 && !found; ++y) {
        bool same = true;
        for (int row = 0; row < height && same; ++row)
            same = std::equal(&second.pixels[(top + row) * second.width],
                              &second.pixels[(top + row + 1) * second.width],
                              &first.pixels[(y + row) * first.width]);
        found = same;
    }
    EXPECT_TRUE(found) << "the titles' line of page 2 is not on page 1";
    const int foot = LayOutRecordingPage(A4Landscape, 0).bottom / 2;
    for (const Capture& page : pages)
        EXPECT_GT(InkIn(page, foot - 30, foot), 0) << "no n / N";
    Click(list, IDCANCEL);
}

bool Resembles(uint32_t pixel, const Rgb& c) {
    auto within = [](int a, int b) { return a - b < 16 && b - a < 16; };
    return within(pixel >> 16 & 0xFF, c.r) && within(pixel >> 8 & 0xFF, c.g) &&
           within(pixel & 0xFF, c.b);
}

// 期間グラフ's 印刷: one landscape page, the heading, then the map where its
// layout puts it on the page: a day of 5000 lx in its colour, an empty day
// grey.
TEST_F(Print, ThePeriodMapOnOneLandscapePage) {
    const std::string folder = ArchiveForThisTest() + "\\";
    Recording r = KnownRecording();
    for (int i = 0; i < SampleCount; ++i)
        r.Ch1Samples[i] = 100;
    for (int day : {1, 3}) {
        r.StartStamp = {2026, 7, 0, day, 5, 0};
        ASSERT_TRUE(WriteBytes(folder + "d" + std::to_string(day) + ".mv2", ReferenceFile(r)));
    }
    const PeriodWindows opened = OpenPeriodWindow(app);
    HWND list = opened.list, period = opened.period;
    ASSERT_NE(period, nullptr);
    const auto before = Pdfs();
    Click(period, IDC_PERIOD_PRINT);
    ASSERT_TRUE(AnswerPrintDialog(app, period, IDOK));
    EXPECT_EQ(TakeError(app, 300), "");
    const std::wstring name = NewPdf(before);
    ASSERT_FALSE(name.empty());
    EXPECT_NE(ReadBytes(PdfPath(name)).find("/Title(\\(" + InPdf("MARVEK \x87\x55 - 期間グラフ")),
              std::string::npos);
    const std::vector<Capture> pages = Rasterised(name);
    ASSERT_EQ(pages.size(), 1u);
    SaveScreenshot(pages[0], "printed_period");
    const PicturePageLayout page =
        LayOutPicturePage(A4Landscape, 2, PeriodNaturalWidth, PeriodNaturalHeight, 12);
    const PeriodLayout l = LayOutPeriod(page.picture);
    EXPECT_GT(InkIn(pages[0], page.top / 2, page.picture.top / 2), 300);
    // The figures' table under the map, a line each.
    EXPECT_GT(InkIn(pages[0], page.tableY / 2, page.bottom / 2), 3000);
    const int x = (l.plot.left + l.plot.width / 2) / 2;
    for (int day = 0; day < 3; ++day) {
        const CellSpan row = CellPixels(day, 3, l.plot.top, l.plot.height);
        const uint32_t shown = pages[0].at(x, (row.from + row.to) / 4);
        EXPECT_TRUE(Resembles(shown, day == 1 ? NoRecordingColour : LuxColour(5000)))
            << day << ": " << std::hex << shown;
    }
    Click(period, IDCANCEL);
    Click(list, IDCANCEL);
}

using RefusingPrinter = ProgramTest;

// A queue that refuses the job: the same message from the window and from
// the list, and the recording stays as it was.
TEST_F(RefusingPrinter, AJobThatFailsIsTold) {
    const std::string folder = ArchiveForThisTest() + "\\";
    ASSERT_TRUE(LoadRecording(app, folder, "day.mv2", KnownRecording()));
    Choose(app, IDM_PRINT);
    ASSERT_TRUE(AnswerPrintDialog(app, app.main, IDOK));
    EXPECT_EQ(TakeError(app), "印刷できません");
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));

    HWND list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
    ASSERT_NE(list, nullptr);
    Click(list, IDC_LIST_PRINT);
    ASSERT_TRUE(AnswerPrintDialog(app, list, IDOK));
    EXPECT_EQ(TakeError(app), "印刷できません");
    Click(list, IDCANCEL);
}

using NoPrinter = ProgramTest;

// Without a printer, 印刷 says so itself instead of opening the dialog.
TEST_F(NoPrinter, PrintSaysItCannotAndOpensNoDialog) {
    ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "day.mv2", KnownRecording()));
    Choose(app, IDM_PRINT);
    HWND box = WaitForDialog(app, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    EXPECT_EQ(TakeError(app), "印刷できません");
    EXPECT_TRUE(NoDialog(app, "印刷"));
    EXPECT_TRUE(NoDialog(app, "Print"));
}

} // namespace
