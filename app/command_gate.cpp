// The one place that says whether a command may run.
#include "app/command_gate.h"
#include "app/window_handles.h"

#include "logger/serial_download.h"
#include "store/store.h"

CommandState CurrentCommandState() {
    // Every dialog and box of the program is owned by the main window (or by
    // a dialog that is), and disables it while it is open.
    return {IsLoaded(TheRecording), DownloadRunning(), !IsWindowEnabled(MainWindow)};
}

bool CommandAvailable(UINT id) {
    return CommandAllowed(id, CurrentCommandState());
}

void EnableCommands(HMENU popup) {
    const CommandState state = CurrentCommandState();
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(popup, i);
        if (FindCommand(id))
            EnableMenuItem(popup, i,
                           MF_BYPOSITION | (CommandAllowed(id, state) ? MF_ENABLED : MF_GRAYED));
    }
}
