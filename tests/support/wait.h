// Polling, for what the program does in its own time.
#pragma once
#include <windows.h>

// Polls until pred() holds or ms pass; whether it held.
template <class Pred> bool WaitUntil(DWORD ms, Pred pred) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(20);
    }
}
