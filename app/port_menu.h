// Settings > 通信ポート: the automatic search or one of the system's ports.
#pragma once
#include <windows.h>

// Refills the submenu with "自動" and one radio item per port, the current
// choice checked; a chosen port the system no longer lists stays, checked.
void FillPortMenu(HMENU submenu);
// True when the command was one of the submenu's, and it was taken.
bool TakePortCommand(UINT id);
