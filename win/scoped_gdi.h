// Device contexts and DC state held for one scope. Each is tiny and
// non-copyable, and gives back what it took on every path.
#pragma once
#include <windows.h>

#include "win/owned_handle.h"

// The screen's DC, for measuring and as a reference; released on exit.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// The screen's logical DPI, as the system gives it to this program (96 when
// it cannot be read).
int ScreenDpi();

// A DC the program made (a memory or printer DC); deleted on exit.
using OwnedDc = Owned<HDC, DeleteDC>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using OwnedGlobal = Owned<HGLOBAL, GlobalFree>;
using OwnedMetafile = Owned<HENHMETAFILE, DeleteEnhMetaFile>;

// Selects an object the caller keeps (a bitmap to read afterwards, a stock
// object) for one scope, and the one it replaced again on exit.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    bool selected() const { return previous_ && previous_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The text colour, background mode and alignment for one scope; the ones
// before are set again on exit.
class TextState {
  public:
    TextState(HDC dc, COLORREF colour, int backgroundMode, UINT alignment)
        : dc_(dc), colour_(SetTextColor(dc, colour)), mode_(SetBkMode(dc, backgroundMode)),
          alignment_(SetTextAlign(dc, alignment)) {}
    ~TextState() {
        SetTextAlign(dc_, alignment_);
        SetBkMode(dc_, mode_);
        SetTextColor(dc_, colour_);
    }
    TextState(const TextState&) = delete;
    TextState& operator=(const TextState&) = delete;

  private:
    HDC dc_;
    COLORREF colour_;
    int mode_;
    UINT alignment_;
};

// The alignment alone, for text drawn in the DC's colours.
class TextAlignment {
  public:
    TextAlignment(HDC dc, UINT alignment) : dc_(dc), previous_(SetTextAlign(dc, alignment)) {}
    ~TextAlignment() { SetTextAlign(dc_, previous_); }
    TextAlignment(const TextAlignment&) = delete;
    TextAlignment& operator=(const TextAlignment&) = delete;

  private:
    HDC dc_;
    UINT previous_;
};
