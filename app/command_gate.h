// The command table asked about the window as it is now: the store, the
// download and the modal dialogs decide.
#pragma once
#include <windows.h>

#include "app/command_table.h"

CommandState CurrentCommandState();
// Whether the command may run now; an unavailable one does nothing,
// however it arrives.
bool CommandAvailable(UINT id);
// Every item of a pop-up enabled or grayed as the table says, as it opens.
void EnableCommands(HMENU popup);
