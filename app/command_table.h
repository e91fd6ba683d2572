// Every command of the main window's menu in one table: when it may run and
// the shortcut the menu shows for it. Window-free, so that the rule is
// tested natively; the window asks it for the menu's gray states, for every
// WM_COMMAND however it came, for a dropped or handed-over file (開く) and
// for the chart's click and Enter (データ表示).
#pragma once
#include <cstdint>

enum class CommandRule {
    Always,    // 終了 and the Help items
    Idle,      // while no download runs
    Recording, // with a recording loaded and no download running
    Receive,   // starts a download, or stops the one that runs
};

struct CommandRow {
    unsigned first, last; // the ids the row covers (the ports are one range)
    CommandRule rule;
    const char* shortcut; // as the menu shows it after a tab; nullptr: none
};

extern const CommandRow CommandTable[];
extern const int CommandTableSize;

// The row of a command; nullptr for an id the menu does not have.
const CommandRow* FindCommand(unsigned id);

struct CommandState {
    bool loaded;      // a recording is shown
    bool downloading; // a download runs
    bool inDialog;    // a modal dialog or message box of the program is open
};

// Whether the command may run now. An id without a row never may, and no
// command runs inside another dialog's loop (one posted by another program
// would otherwise open over the dialog or change what it shows). The menu
// cannot be opened then, so its gray states never show this.
bool CommandAllowed(unsigned id, const CommandState& state);

// A file handed over by a second copy counts as 開く: it waits for a download
// and for the last modal dialog or box to close.
bool HandedOverFileMayOpen(const CommandState& state);
