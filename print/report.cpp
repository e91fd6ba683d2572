// The report's texts and its pages' layout.
#include "print/report.h"

#include <algorithm>
#include <cstring>

#include "core/cp932.h"
#include "core/file_name.h"
#include "core/text.h"
#include "files/csv.h"
#include "view/dpi_scale.h"

namespace {

constexpr char16_t Unsaved[] = u"受信データ";

// A text of the recording as the text dialog shows it: the placeholder of
// an empty text is empty.
std::u16string Shown(const char* text) {
    if (IsPlaceholder(text)) return u"";
    return Cp932ToUtf16(std::string(text, strnlen(text, TextFieldSize - 1)));
}

std::vector<ReportFigureRow> Figures(const Recording& r, const Threshold& threshold) {
    const ChannelTexts a = TextsOf(r.Ch1Samples, r.StartStamp, threshold.given, threshold.lux);
    const ChannelTexts b = TextsOf(r.Ch2Samples, r.StartStamp, threshold.given, threshold.lux);
    const auto lux = [](const std::string& v) { return AsciiToUtf16(v) + u" lx"; };
    const std::u16string above =
        threshold.given
            ? u"しきい値以上の時間 (" + AsciiToUtf16(NumberText(threshold.lux)) + u" lx)"
            : u"しきい値以上の時間 (しきい値なし)";
    return {
        {u"", u"CH1", u"CH2"},
        {u"最大照度", lux(a.highest), lux(b.highest)},
        {u"最大の時刻", AsciiToUtf16(a.highestTime), AsciiToUtf16(b.highestTime)},
        {u"最小照度", lux(a.lowest), lux(b.lowest)},
        {u"最小の時刻", AsciiToUtf16(a.lowestTime), AsciiToUtf16(b.lowestTime)},
        {u"平均照度", lux(a.mean), lux(b.mean)},
        {u"積算照度 (lx・h)", AsciiToUtf16(a.dose), AsciiToUtf16(b.dose)},
        {above, AsciiToUtf16(a.aboveThreshold), AsciiToUtf16(b.aboveThreshold)},
    };
}

} // namespace

std::u16string ReportDocumentName(const std::u16string& path) {
    return u"MARVEK Ⅱ - " +
           (path.empty() ? std::u16string(Unsaved) : std::u16string(SplitPath(path).name));
}

RecordingReport MakeRecordingReport(const Recording& r, const std::u16string& path,
                                    const Stamp& now, const Threshold& threshold,
                                    const char* version) {
    RecordingReport report;
    const TextFields& t = r.RecordingTexts;
    report.title = Shown(t.Title);
    if (report.title.empty()) report.title = u"(タイトルなし)";
    report.file = path.empty() ? std::u16string(Unsaved) : std::u16string(SplitPath(path).name);
    const std::string first = CalendarText(r.StartStamp, 0);
    const std::string last = CalendarText(r.StartStamp, MinutesAfterStart(SampleCount));
    if (!first.empty() && !last.empty())
        report.period = AsciiToUtf16(first) + u" 〜 " + AsciiToUtf16(last);
    report.ch1 = u"CH1: " + Shown(t.Ch1Name);
    report.ch2 = u"CH2: " + Shown(t.Ch2Name);
    report.memo = Shown(t.Memo);
    report.figures = Figures(r, threshold);
    report.printedAt = u"印刷日時 " + AsciiToUtf16(CalendarText(now, 0));
    report.program = u"MARVEK Ⅱ " + AsciiToUtf16(version);
    report.path = path;
    return report;
}

int32_t Points(const PageGeometry& page, int32_t points) {
    return static_cast<int32_t>((int64_t{points} * page.dpi + 36) / 72);
}

RecordingPageLayout LayOutRecordingPage(const PageGeometry& page, int figureRows) {
    RecordingPageLayout l = {};
    const int32_t margin = static_cast<int32_t>((int64_t{150} * page.dpi + 127) / 254); // 15 mm
    l.left = std::max(0, margin - page.offsetX);
    l.top = std::max(0, margin - page.offsetY);
    l.right = std::min(page.width, page.paperWidth - page.offsetX - margin);
    l.bottom = std::min(page.height, page.paperHeight - page.offsetY - margin);
    if (l.right <= l.left) l.right = page.width;
    if (l.bottom <= l.top) l.bottom = page.height;
    l.titleSize = Points(page, 16);
    l.textSize = Points(page, 10);
    l.lineHeight = Points(page, 15);
    l.titleY = l.top;
    l.headerY = l.top + Points(page, 26);
    l.footerY = l.bottom - 2 * l.lineHeight;
    l.tableY = l.footerY - Points(page, 8) - figureRows * l.lineHeight;
    const int32_t chartTop = l.headerY + 3 * l.lineHeight + Points(page, 6);
    const int32_t chartBottom = l.tableY - Points(page, 8);
    l.chart = {l.left, chartTop, l.right - l.left, std::max(1, chartBottom - chartTop), page.dpi};
    // Its texts and pens at a resolution whose natural frame fits the space,
    // so the legend above the plot never runs into it.
    l.chart.dpi = static_cast<int>(
        std::min<int64_t>({page.dpi, int64_t{l.chart.width} * BaseDpi / NaturalChartWidth,
                           int64_t{l.chart.height} * BaseDpi / NaturalChartHeight}));
    const int32_t width = l.right - l.left;
    l.columns[0] = l.left;
    l.columns[1] = l.left + width * 55 / 100;
    l.columns[2] = l.left + width * 80 / 100;
    return l;
}

PicturePageLayout LayOutPicturePage(const PageGeometry& page, int lines, int naturalWidth,
                                    int naturalHeight, int rows) {
    const RecordingPageLayout margins = LayOutRecordingPage(page, 0);
    PicturePageLayout l = {};
    l.left = margins.left;
    l.right = margins.right;
    l.top = margins.top;
    l.bottom = margins.bottom;
    l.titleSize = margins.titleSize;
    l.textSize = margins.textSize;
    l.lineHeight = margins.lineHeight;
    l.linesY = margins.headerY;
    const int32_t top = l.linesY + lines * l.lineHeight + Points(page, 6);
    l.tableY = l.bottom - rows * l.lineHeight;
    const int32_t below = rows > 0 ? l.tableY - Points(page, 8) : l.bottom;
    l.picture = {l.left, top, l.right - l.left, std::max(1, below - top), page.dpi};
    const int32_t width = l.right - l.left;
    l.columns[0] = l.left;
    l.columns[1] = l.left + width * 55 / 100;
    l.columns[2] = l.left + width * 80 / 100;
    l.picture.dpi = static_cast<int>(
        std::min<int64_t>({page.dpi, int64_t{l.picture.width} * BaseDpi / naturalWidth,
                           int64_t{l.picture.height} * BaseDpi / naturalHeight}));
    return l;
}

int TablePageCount(int rows, int firstPage, int perPage) {
    firstPage = std::max(1, firstPage);
    perPage = std::max(1, perPage);
    if (rows <= firstPage) return 1;
    return 1 + (rows - firstPage + perPage - 1) / perPage;
}

int TablePageStart(int page, int firstPage, int perPage) {
    firstPage = std::max(1, firstPage);
    perPage = std::max(1, perPage);
    return page == 0 ? 0 : firstPage + (page - 1) * perPage;
}
