// What the menu probe, running inside the program, hands back to the driver
// through a named file mapping.
#pragma once
#include <windows.h>

constexpr char MenuProbeMessage[] = "MarvekTestMenuProbe";
constexpr char MenuProbeMapping[] = "MarvekTestMenuProbeReport";
constexpr char MenuProbeDone[] = "MarvekTestMenuProbeDone";
// Dropping a file: the path to drop (wchar_t[DropPathSize]); the drop handle
// must belong to the program's process, so the probe makes it there.
constexpr char DropProbeMessage[] = "MarvekTestDropProbe";
constexpr char DropProbeMapping[] = "MarvekTestDropPath";
constexpr int DropPathSize = 1024;

// The items of a submenu of pop-up p carry the pop-up index SubmenuOf + p.
constexpr int SubmenuOf = 8;
constexpr int MenuProbeItemLimit = 64;

// A new DPI: WM_DPICHANGED carries a pointer, so the probe sends it inside
// the program, from the DpiProbeChange in the mapping.
constexpr char DpiProbeMessage[] = "MarvekTestDpiProbe";
constexpr char DpiProbeMapping[] = "MarvekTestDpiChange";
struct DpiProbeChange {
    int dpi;
    RECT place;
};

// A command posted, then files handed over as a second copy hands them, all
// before the program takes its next message: as when the user's click lands
// between a second copy's answer and the opening of its file.
constexpr char HandOverProbeMessage[] = "MarvekTestHandOverProbe";
constexpr char HandOverProbeMapping[] = "MarvekTestHandOver";
constexpr int HandOverFileLimit = 4;
struct HandOverProbe {
    unsigned command; // posted first; 0: none
    int fileCount;
    wchar_t paths[HandOverFileLimit][DropPathSize];
    int answers[HandOverFileLimit]; // what each WM_COPYDATA returned
};

struct MenuProbeItem {
    int popup;     // index of the pop-up in the menu bar
    UINT id;       // command id, 0 for a separator, -1 for a submenu
    UINT state;    // GetMenuState after the pop-up was announced to the window
    char text[64]; // code page 932
};

struct MenuProbeReport {
    int popupCount;
    char popupText[8][64];
    int itemCount;
    MenuProbeItem items[MenuProbeItemLimit];
};
