// The chart as an image: the same painting as the main window's client area,
// in its natural frame at 96 DPI, on a memory bitmap for the PNG export and
// the clipboard, and as an enhanced metafile (vectors) for documents.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/recording.h"
#include "view/chart.h"

constexpr int ChartImageWidth = NaturalChartWidth;
constexpr int ChartImageHeight = NaturalChartHeight;

struct ChartImage {
    int width = 0;
    int height = 0;
    int stride = 0;                    // bytes per row, a multiple of 4
    std::vector<unsigned char> pixels; // 24-bit BGR, top row first
};

// The chart as the window shows it at its first size (the range given,
// traces when loaded, the threshold's line when asked for), on white,
// without the status label or the cursor. False when the bitmap cannot be
// made.
bool RenderChart(const ChartContent& content, ChartImage& out);

// Any picture the same way: `paint` draws into a white bitmap of that size.
using PicturePainter = std::function<void(HDC dc)>;
bool RenderPicture(int width, int height, const PicturePainter& paint, ChartImage& out);

// A 24-bit RGB PNG made by the platform's own encoder (Windows Imaging
// Component). False when it cannot be made.
bool EncodePng(const ChartImage& image, std::string& png);

// A packed 24-bit DIB (CF_DIB) in movable global memory, bottom row first;
// nullptr when it cannot be made. The caller owns it until the clipboard does.
HGLOBAL PackedDib(const ChartImage& image);

// The same chart drawn as vectors into an enhanced metafile, on white, with
// the screen as reference; its frame (in 0.01 mm) is the natural size in the
// screen's pixels. nullptr when it cannot be made; the caller deletes it
// (DeleteEnhMetaFile) unless the clipboard takes it.
HENHMETAFILE ChartMetafile(const ChartContent& content);
// Any picture of that many screen pixels the same way; `description` holds
// the program and the picture's name, each ended by a zero.
HENHMETAFILE PictureMetafile(int width, int height, const wchar_t* description,
                             const PicturePainter& paint);
// The metafile's bytes, as an .emf file holds them.
bool MetafileBytes(HENHMETAFILE metafile, std::string& out);
