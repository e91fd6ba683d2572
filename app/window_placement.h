// The main window's place, size and maximised state, kept from one run to
// the next (WindowPlacement, as GetWindowPlacement gives it).
#pragma once
#include <windows.h>

// Puts the window where it was when it last closed, if that still shows on
// a monitor; false, with nothing done, when nothing sound is remembered.
bool RestoreWindowPlacement(HWND window);
// When the window closes.
void RememberWindowPlacement(HWND window);
