// The Tools menu: CSV, PNG, clipboard and statistics.
#include <wincodec.h>

#include <cstring>

#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

// A recording from 20:00 on 29 February 2024: its samples cross midnight into
// March. Channel names that need quoting in CSV.
Recording LeapNight() {
    Recording r = KnownRecording();
    std::strcpy(r.RecordingTexts.Ch1Name, "East, \"A\"");
    r.RecordingTexts.Ch2Name[0] = 0;
    r.StartStamp = {2024, 2, 4, 29, 20, 0};
    return r;
}

// The expected CSV, written out plainly for this recording.
std::string ExpectedCsv(const Recording& r, bool realStamp) {
    std::string csv = "\xEF\xBB\xBF\xE7\x95\xAA\xE5\x8F\xB7,\xE6\x97\xA5\xE6\x99\x82,"
                      "\"East, \"\"A\"\" (lx)\",CH2 (lx)\r\n";
    for (int n = 1; n <= SampleCount; ++n) {
        const int t = 20 * 60 + n - 1;
        char when[32] = "";
        if (realStamp)
            std::snprintf(when, sizeof when, "2024/%s %02d:%02d", t < 1440 ? "02/29" : "03/01",
                          t % 1440 / 60, t % 60);
        csv += std::to_string(n) + "," + when + "," + std::to_string(r.Ch1Samples[n - 1] * 50) +
               "," + std::to_string(r.Ch2Samples[n - 1] * 50) + "\r\n";
    }
    return csv;
}

// 0x00RRGGBB pixels of a PNG, by the platform's decoder.
bool DecodePng(const std::string& png, Capture& out) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT w = 0, h = 0;
    bool ok =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(
            stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(png.data())),
                                         static_cast<DWORD>(png.size()))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad,
                                                   &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom));
    if (ok) {
        out.width = static_cast<int>(w);
        out.height = static_cast<int>(h);
        out.pixels.assign(static_cast<size_t>(w) * h, 0);
        ok = SUCCEEDED(converter->CopyPixels(nullptr, w * 4, w * h * 4,
                                             reinterpret_cast<BYTE*>(out.pixels.data())));
        for (uint32_t& p : out.pixels)
            p &= 0xFFFFFF;
    }
    for (IUnknown* u : std::initializer_list<IUnknown*>{converter, frame, decoder, stream, factory})
        if (u) u->Release();
    CoUninitialize();
    return ok;
}

// The clipboard's CF_DIB as pixels; false unless it is a 24-bit DIB.
bool ClipboardImage(Capture& out) {
    if (!OpenClipboard(nullptr)) return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data));
        if (header && header->biBitCount == 24 && header->biHeight > 0) {
            out.width = header->biWidth;
            out.height = header->biHeight;
            const int stride = (out.width * 3 + 3) & ~3;
            const auto* bits = reinterpret_cast<const unsigned char*>(header + 1);
            out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
            for (int y = 0; y < out.height; ++y)
                for (int x = 0; x < out.width; ++x) {
                    const unsigned char* p = bits + (out.height - 1 - y) * stride + 3 * x;
                    out.pixels[static_cast<size_t>(y) * out.width + x] =
                        p[2] << 16 | p[1] << 8 | p[0];
                }
            ok = true;
        }
        if (header) GlobalUnlock(data);
    }
    CloseClipboard();
    return ok;
}

// An enhanced metafile played back on white at the chart's natural size.
bool Played(HENHMETAFILE emf, Capture& out) {
    bool ok = false;
    if (emf) {
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, 920, -560, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        const RECT all = {0, 0, 920, 560};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ok = PlayEnhMetaFile(dc, emf, &all) != 0;
        GdiFlush();
        out.width = 920;
        out.height = 560;
        const auto* p = static_cast<const uint32_t*>(bits);
        out.pixels.assign(p, p + 920 * 560);
        for (uint32_t& px : out.pixels)
            px &= 0xFFFFFF;
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    return ok;
}

bool ClipboardMetafile(Capture& out) {
    if (!OpenClipboard(nullptr)) return false;
    const bool ok = Played(static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE)), out);
    CloseClipboard();
    return ok;
}

// An .emf file's bytes played back.
bool FileMetafile(const std::string& bytes, Capture& out) {
    HENHMETAFILE emf = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()),
                                          reinterpret_cast<const BYTE*>(bytes.data()));
    const bool ok = Played(emf, out);
    if (emf) DeleteEnhMetaFile(emf);
    return ok;
}

// The image is the window's chart, pixel for pixel, but for the status label.
::testing::AssertionResult SameAsTheWindow(const Capture& image, const Capture& window) {
    if (image.width != 920 || image.height != 560)
        return ::testing::AssertionFailure() << image.width << "x" << image.height;
    for (int y = 0; y < std::min(image.height, window.height); ++y)
        for (int x = 0; x < std::min(image.width, window.width); ++x) {
            if (x < 86 && y < 26) continue;
            if (image.at(x, y) != window.at(x, y))
                return ::testing::AssertionFailure() << "differs at " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

class Tools : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = FolderForThisTest();
    }
    // Chooses an export, checks the proposed name, and saves under `name`.
    void Export(WORD command, const char* title, const std::wstring& proposed,
                const std::string& name) {
        Choose(app, command);
        HWND dialog = WaitForDialog(app, title);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowTextW(GetDlgItem(dialog, FileNameBox)), proposed);
        SetItemTextW(dialog, FileNameBox, Widened(folder + name));
        Click(dialog, IDOK);
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
    }
    std::string folder;
};

TEST_F(Tools, CsvHoldsEveryMinuteOnTheCalendarAndTheChannelNames) {
    Recording r = LeapNight();
    ASSERT_TRUE(LoadRecording(app, folder, "leap.mv2", r));
    Export(IDM_EXPORT_CSV, "CSV形式で保存", L"leap.csv", "leap.csv");
    EXPECT_EQ(ReadBytes(folder + "leap.csv"), ExpectedCsv(r, true));
    EXPECT_EQ(WindowText(app.main), FileCaption("leap.mv2")); // exporting changes nothing

    // The console tool writes the same bytes for the same file.
    EXPECT_EQ(
        RunTool(L"csv \"" + Widened(folder) + L"leap.mv2\" \"" + Widened(folder) + L"tool.csv\""),
        0u);
    EXPECT_EQ(ReadBytes(folder + "tool.csv"), ReadBytes(folder + "leap.csv"));
    EXPECT_EQ(RunTool(L"--help"), 0u);

    r.StartStamp.Day = 30; // there is no 30 February: no date-time at all
    ASSERT_TRUE(LoadRecording(app, folder, "impossible.mv2", r));
    Export(IDM_EXPORT_CSV, "CSV形式で保存", L"impossible.csv", "impossible.csv");
    EXPECT_EQ(ReadBytes(folder + "impossible.csv"), ExpectedCsv(r, false));
}

TEST_F(Tools, ThePngAndTheClipboardHoldTheChartAsTheWindowShowsIt) {
    const Recording r = KnownRecording();
    ASSERT_TRUE(LoadRecording(app, folder, "day.mv2", r));
    PressKey(app, VK_END); // the chart's cursor shows in the window, never in an image
    Export(IDM_EXPORT_IMAGE, "グラフを画像で保存", L"day.png", "day.png");
    Choose(app, IDM_COPY_CHART);
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(app.main, IDC_READOUT)));
    PressKey(app, VK_ESCAPE);
    const Capture window = CaptureClient(app.main);
    Capture png;
    ASSERT_TRUE(DecodePng(ReadBytes(folder + "day.png"), png));
    EXPECT_TRUE(SameAsTheWindow(png, window));

    Capture copied;
    ASSERT_TRUE(ClipboardImage(copied));
    EXPECT_TRUE(SameAsTheWindow(copied, window));
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));

    // Beside the bitmap, the same chart as vectors; saved as .emf, the same.
    Capture played;
    ASSERT_TRUE(ClipboardMetafile(played));
    std::vector<std::string> faults = DifferencesOutsideTexts(played, png);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    Export(IDM_EXPORT_IMAGE, "グラフを画像で保存", L"day.png", "day.emf");
    const std::string emf = ReadBytes(folder + "day.emf");
    EXPECT_TRUE(emf.size() > 44 && emf.substr(40, 4) == " EMF") << emf.size();
    Capture saved;
    ASSERT_TRUE(FileMetafile(emf, saved));
    faults = DifferencesOutsideTexts(saved, png);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

TEST_F(Tools, StatisticsOfEachChannelFollowTheThresholdAsItIsTyped) {
    Recording r = KnownRecording();
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = 10; // 500 lux
        r.Ch2Samples[i] = i;  // 50 lux more every minute
    }
    r.Ch1Samples[100] = 900;
    r.Ch1Samples[700] = -2;
    ASSERT_TRUE(LoadRecording(app, folder, "day.mv2", r));
    HWND d = OpenDialog(app, IDM_STATISTICS, "統計");
    ASSERT_NE(d, nullptr);
    SaveScreenshot(CaptureWindow(d), "dialog_statistics");
    EXPECT_EQ(ItemText(d, IDC_THRESHOLD), "500");
    const std::pair<int, const char*> expected[] = {
        {IDC_CH1_HIGHEST, "45000"},      {IDC_CH1_HIGHEST_TIME, "6:40"},
        {IDC_CH1_LOWEST, "-100"},        {IDC_CH1_LOWEST_TIME, "16:40"},
        {IDC_CH1_MEAN, "552.3"},         {IDC_CH1_DOSE, "7731.7"},
        {IDC_CH1_ABOVE, "13:59"},        {IDC_CH2_HIGHEST, "41950"},
        {IDC_CH2_HIGHEST_TIME, "18:59"}, {IDC_CH2_LOWEST, "0"},
        {IDC_CH2_LOWEST_TIME, "5:00"},   {IDC_CH2_MEAN, "20975.0"},
        {IDC_CH2_DOSE, "293650.0"},      {IDC_CH2_ABOVE, "13:50"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(ItemText(d, id), text) << id;
    SetItemText(d, IDC_THRESHOLD, "1000");
    EXPECT_EQ(ItemText(d, IDC_CH1_ABOVE), "0:01");
    EXPECT_EQ(ItemText(d, IDC_CH2_ABOVE), "13:40");
    SetItemText(d, IDC_THRESHOLD, "");
    EXPECT_EQ(ItemText(d, IDC_CH1_ABOVE), "-");
    EXPECT_EQ(ItemText(d, IDC_CH2_ABOVE), "-");
    Click(d, IDCANCEL);
    Settle(app);
}

} // namespace
