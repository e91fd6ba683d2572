// The download's stored settings, under HKCU\Software\MARVEK2: the port
// the last complete download came from (LastPort) and the port the user
// chose (Port; absent for the automatic search). Both are "COMn" texts.
#pragma once

// 0 when none is stored (or it cannot be read).
int RememberedPort();
int ChosenPort();
// Nothing is said when a value cannot be stored: the search still works.
void RememberPort(int number);
// 0 goes back to the automatic search.
void ChoosePort(int number);
