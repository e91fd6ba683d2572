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
    POINT at = {x, y};
    ClientToScreen(p.main, &at);
    SetCursorPos(at.x, at.y);
    Settle(p);
}

void MoveMouseAway() {
    SetCursorPos(0, 0);
    Sleep(50);
}

void ClickAt(const Program& p, int x, int y) {
    MoveMouseTo(p, x, y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

namespace {

// The key pressed and released with `modifier` (0: none) held around it.
void PressWith(const Program& p, WORD key, WORD modifier) {
    SetForegroundWindow(p.main);
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
    PressWith(p, key, shift ? VK_SHIFT : 0);
}

void PressCtrlKey(const Program& p, WORD key) {
    PressWith(p, key, VK_CONTROL);
}
