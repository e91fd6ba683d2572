// Tools > 記録の一覧: a table of every recording in a folder (the archive of
// downloads to begin with), each with its start, title and both channels'
// figures, a total over the rows chosen, the table as CSV, and a row opened
// as File > Open opens a file.
#pragma once
#include <windows.h>

// Shows the list, modal; a recording chosen to be opened is opened after
// the list has closed. Returns 0.
int ShowRecordingList(HWND window);
