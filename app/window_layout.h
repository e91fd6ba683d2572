// The main window's children laid out for its DPI: each at s() of its
// 96-DPI place, the labels in a font made for the DPI.
#pragma once
#include <windows.h>

// The status label, the progress bar (hidden) and the readout (hidden),
// created once, placed for the window's DPI.
void CreateChildren(HWND window);
// Again for a new DPI; the font made for the old one is let go.
void LayOutChildren(int dpi);
// The labels' font, when the window is destroyed.
void ReleaseChildFont();
