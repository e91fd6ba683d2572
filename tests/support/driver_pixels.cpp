// The screen's pixels and the windows' places.
#include "tests/support/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "app/identity.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/support/wait.h"

namespace {

Capture CaptureScreen(int left, int top, int width, int height) {
    Capture c;
    c.width = width;
    c.height = height;
    c.pixels.assign(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < c.pixels.size(); ++i)
        c.pixels[i] = src[i] & 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return c;
}

} // namespace

std::string Placed(int left, int top, int width, int height) {
    return std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) + "x" +
           std::to_string(height);
}

std::string ScreenPlace(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return Placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::string ChildPlace(HWND child) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return Placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

Capture CaptureClient(HWND window) {
    RECT rc;
    GetClientRect(window, &rc);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return CaptureScreen(origin.x, origin.y, rc.right, rc.bottom);
}

Capture CaptureWindow(HWND window) {
    RECT rc;
    GetWindowRect(window, &rc);
    return CaptureScreen(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void SaveScreenshot(const Capture& c, const std::string& name) {
    const std::string folder = BuildDir() + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    FILE* f = std::fopen((folder + "\\" + name + ".bmp").c_str(), "wb");
    if (!f) return;
    const uint32_t imageSize = static_cast<uint32_t>(c.pixels.size() * 4);
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + imageSize;
    ih.biSize = sizeof ih;
    ih.biWidth = c.width;
    ih.biHeight = -c.height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = imageSize;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::fwrite(c.pixels.data(), 4, c.pixels.size(), f);
    std::fclose(f);
}
