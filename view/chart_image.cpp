// Rendering into a DIB section, encoding through WIC.
#include "view/chart_image.h"

#include <wincodec.h>

#include <cstring>

#include "view/chart.h"
#include "view/dpi_scale.h"
#include "win/com.h"
#include "win/scoped_gdi.h"

namespace {

// The platform's identifiers, written here rather than linked from the GUID
// library, which would bring every GUID of the platform into the program.
constexpr GUID ImagingFactoryClass = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID ImagingFactoryInterface = {
    0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
constexpr GUID PngContainer = {
    0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
constexpr GUID Bgr24Pixels = {
    0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};

BITMAPINFOHEADER Header(int width, int height) {
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    return h;
}

} // namespace

bool RenderPicture(int width, int height, const PicturePainter& paint, ChartImage& out) {
    BITMAPINFO info = {};
    info.bmiHeader = Header(width, -height); // top-down
    const OwnedDc dc(CreateCompatibleDC(nullptr));
    if (!dc.valid()) return false;
    void* bits = nullptr;
    const OwnedBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.valid()) return false;
    {
        // Not SelectedObject: the bitmap outlives its selection, to be read.
        const Selection selected(dc.get(), bitmap.get());
        RECT all = {0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        paint(dc.get());
        GdiFlush();
    }
    out.width = width;
    out.height = height;
    out.stride = (width * 3 + 3) & ~3;
    const auto* p = static_cast<const unsigned char*>(bits);
    out.pixels.assign(p, p + static_cast<size_t>(out.stride) * height);
    return true;
}

bool RenderChart(const ChartContent& content, ChartImage& out) {
    // The natural frame at 96 DPI, never the cursor.
    return RenderPicture(
        ChartImageWidth, ChartImageHeight,
        [&](HDC dc) { PaintChart(dc, NaturalFrame(BaseDpi), WithoutCursor(content)); }, out);
}

bool EncodePng(const ChartImage& image, std::string& png) {
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmap> bitmap;
    ComRef<IStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = Bgr24Pixels;
    auto* pixels = const_cast<BYTE*>(image.pixels.data());
    const bool encoded = SUCCEEDED(CoCreateInstance(ImagingFactoryClass, nullptr,
                                                    CLSCTX_INPROC_SERVER, ImagingFactoryInterface,
                                                    reinterpret_cast<void**>(factory.put()))) &&
                         SUCCEEDED(factory->CreateBitmapFromMemory(
                             image.width, image.height, Bgr24Pixels, image.stride,
                             static_cast<UINT>(image.pixels.size()), pixels, bitmap.put())) &&
                         SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) &&
                         SUCCEEDED(factory->CreateEncoder(PngContainer, nullptr, encoder.put())) &&
                         SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
                         SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr)) &&
                         SUCCEEDED(frame->Initialize(nullptr)) &&
                         SUCCEEDED(frame->SetSize(image.width, image.height)) &&
                         SUCCEEDED(frame->SetPixelFormat(&format)) && format == Bgr24Pixels &&
                         SUCCEEDED(frame->WriteSource(bitmap.get(), nullptr)) &&
                         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (!encoded) return false;
    ULARGE_INTEGER size = {};
    LARGE_INTEGER zero = {};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &size)) ||
        FAILED(GetHGlobalFromStream(stream.get(), &memory)))
        return false;
    const void* bytes = GlobalLock(memory);
    if (!bytes) return false;
    png.assign(static_cast<const char*>(bytes), static_cast<size_t>(size.QuadPart));
    GlobalUnlock(memory);
    return true;
}

HGLOBAL PackedDib(const ChartImage& image) {
    const BITMAPINFOHEADER header = Header(image.width, image.height); // bottom-up
    const size_t bytes = sizeof header + image.pixels.size();
    OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory.valid()) return nullptr;
    auto* p = static_cast<unsigned char*>(GlobalLock(memory.get()));
    if (!p) return nullptr;
    std::memcpy(p, &header, sizeof header);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(p + sizeof header + static_cast<size_t>(y) * image.stride,
                    image.pixels.data() + static_cast<size_t>(image.height - 1 - y) * image.stride,
                    image.stride);
    GlobalUnlock(memory.get());
    return memory.release();
}

HENHMETAFILE PictureMetafile(int width, int height, const wchar_t* description,
                             const PicturePainter& paint) {
    const ScreenDc screen;
    if (!screen.get()) return nullptr;
    // The 0.01 mm that the picture covers on the reference screen.
    const RECT frame = {0, 0,
                        MulDiv(width, GetDeviceCaps(screen.get(), HORZSIZE) * 100,
                               GetDeviceCaps(screen.get(), HORZRES)),
                        MulDiv(height, GetDeviceCaps(screen.get(), VERTSIZE) * 100,
                               GetDeviceCaps(screen.get(), VERTRES))};
    HDC dc = CreateEnhMetaFileW(screen.get(), nullptr, &frame, description);
    if (!dc) return nullptr;
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paint(dc);
    return CloseEnhMetaFile(dc);
}

HENHMETAFILE ChartMetafile(const ChartContent& content) {
    return PictureMetafile(
        ChartImageWidth, ChartImageHeight, L"MARVEK \x2161\0Chart\0",
        [&](HDC dc) { PaintChart(dc, NaturalFrame(BaseDpi), WithoutCursor(content)); });
}

bool MetafileBytes(HENHMETAFILE metafile, std::string& out) {
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size == 0) return false;
    out.assign(size, '\0');
    return GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&out[0])) == size;
}
