// The names by which the program is known: its caption, its window class and
// the mutex that keeps it to one copy. The test driver finds it by them.
#pragma once

// The caption whenever no file name is shown.
constexpr char16_t ProductTitle[] = u"MARVEK Ⅱ";
constexpr wchar_t MainWindowClass[] = L"marvek02";
// Held by the running copy; a second copy that finds it hands its file over.
// A name of our own in the session's namespace: another program's mutex can
// never be taken for ours.
constexpr wchar_t SingleCopyMutex[] = L"Local\\MARVEK2-aa02671a-4985-44c6-bf8e-ad2908d41eb4";
// The name earlier versions held, still created for whatever looks for it;
// it no longer decides whether the program starts.
constexpr wchar_t EarlierSingleCopyMutex[] = L"UniqueName";
// Where the main window was when it last closed (REG_BINARY).
constexpr wchar_t MainPlacementSetting[] = L"WindowPlacement";
