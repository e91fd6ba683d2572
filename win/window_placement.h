// A window's place, size and maximised state, kept from one run to the next
// as GetWindowPlacement gives it, under a setting of its own.
#pragma once
#include <windows.h>

// Puts the window where it was when it last closed, if that still shows on
// a monitor; false, with nothing done, when nothing sound is remembered.
bool RestoreWindowPlacement(HWND window, const wchar_t* setting);
// When the window closes.
void RememberWindowPlacement(HWND window, const wchar_t* setting);
