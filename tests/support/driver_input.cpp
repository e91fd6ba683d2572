// Real mouse and keyboard input.
#include "tests/support/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "app/identity.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/support/wait.h"

void MoveMouseTo(const Program& p, int x, int y) {
    MoveMouseOver(p, p.main, x, y);
}

void MoveMouseOver(const Program& p, HWND window, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    Settle(p);
}

void MoveMouseAway() {
    SetCursorPos(0, 0);
    Sleep(50);
}

void ClickAt(const Program& p, int x, int y) {
    ClickOver(p, p.main, x, y);
}

void ClickOver(const Program& p, HWND window, int x, int y, int times) {
    MoveMouseOver(p, window, x, y);
    INPUT clicks[4] = {};
    for (int i = 0; i < 2 * times && i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SendInput(std::min(2 * times, 4), clicks, sizeof(INPUT));
}

namespace {

// The key pressed and released with `modifier` (0: none) held around it.
void PressWith(const Program& p, HWND window, WORD key, WORD modifier) {
    SetForegroundWindow(window);
    INPUT keys[4] = {};
    int n = 0;
    auto add = [&](WORD vk, DWORD flags) {
        keys[n].type = INPUT_KEYBOARD;
        keys[n].ki.wVk = vk;
        keys[n].ki.dwFlags = flags;
        ++n;
    };
    if (modifier) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    SendInput(n, keys, sizeof(INPUT));
    Settle(p);
}

} // namespace

void PressKey(const Program& p, WORD key, bool shift) {
    PressWith(p, p.main, key, shift ? VK_SHIFT : 0);
}

void PressCtrlKey(const Program& p, WORD key) {
    PressWith(p, p.main, key, VK_CONTROL);
}

void PressKeyIn(const Program& p, HWND window, WORD key) {
    PressWith(p, window, key, 0);
}
