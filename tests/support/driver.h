// Drives the real program under Wine only through what a user, or another
// program, can see and do: its windows, menu commands, dialogs, message boxes
// and the pixels on the screen. One helper per thing a user does.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/capture.h"

// Texts the program shows, as code page 932 bytes.
constexpr char ProductCaption[] = "MARVEK Ⅱ";
// The caption while a saved or opened file's name is shown.
inline std::string FileCaption(const std::string& name) {
    return std::string(ProductCaption) + " [ " + name + " ]";
}

struct Program {
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    DWORD thread() const { return process.dwThreadId; }
};

// The folder of the driver; the program and the probe DLL are built beside it.
std::string BuildDir();

// Starts marvek2.exe and waits for its main window (nullptr main if none came).
// Its archive of downloads goes to `archive` (MARVEK_ARCHIVE_DIR), by default
// a fresh folder of the running test's under the build folder: the tests
// never write outside the project.
// `arguments` follow the program's name on its command line; `exe` is the
// build's marvek2.exe unless given. It starts in the build folder.
Program StartProgram(const std::string& archive = "", const std::wstring& arguments = L"",
                     const std::wstring& exe = L"");
// Only starts it, without waiting for a window (a second copy shows none).
Program LaunchProgram(const std::string& archive = "", const std::wstring& arguments = L"",
                      const std::wstring& exe = L"");
// The default archive folder of the running test (no trailing backslash).
std::string ArchiveForThisTest();
// Ends the program if it still runs and releases its handles.
void StopProgram(Program& p);
// File > 終了, answered Yes; true when it then ended with 0. Released after.
bool CloseProgram(Program& p);
// Waits for the process to end; false on time-out.
bool WaitForExit(const Program& p, DWORD ms, DWORD* exitCode);

// Lets the program work off what it was sent and repaint.
void Settle(const Program& p);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
// Clicks a button the way a mouse would, without waiting for what follows.
void Click(HWND dialog, int id);
// Presses OK on a message box and waits until it is gone, so that the next
// search for a box cannot find this one still closing.
void CloseBox(HWND box);
// Clicks and waits until the dialog has handled the click; only for buttons
// that do not open another modal window.
void Press(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// The window that has the keyboard focus in the program's thread.
HWND FocusOf(const Program& p);
// Opens a dialog by its menu command and waits for it.
HWND OpenDialog(const Program& p, WORD commandId, const char* caption);

// Chooses a menu command, as the menu would.
void Choose(const Program& p, WORD commandId);
// Presses the close box of the title bar.
void PressCloseBox(const Program& p);

// A dialog or message box of the program's thread with this caption.
HWND WaitForDialog(const Program& p, const char* caption, DWORD ms = 5000);
// Any visible top-level dialog of a process with this caption.
HWND WaitForProcessDialog(DWORD processId, const char* caption, DWORD ms = 5000);
// True if no dialog with that caption shows up within ms.
bool NoDialog(const Program& p, const char* caption, DWORD ms = 300);

// A dialog with this caption other than `besides` (a message box that has
// the caption of the dialog it came from).
HWND WaitForOtherDialog(const Program& p, const char* caption, HWND besides, DWORD ms = 5000);

// The common file dialogs: type a full path into the name box and press OK.
constexpr int FileNameBox = 0x47c;
constexpr char SaveDialogTitle[] = "照度記録を保存";
constexpr char OpenDialogTitle[] = "照度記録を開く";
// Chooses File > Save As and types path; returns the dialog (nullptr if none).
HWND SaveAs(const Program& p, const std::string& path);
HWND SaveAs(const Program& p, const std::wstring& path);
// Chooses File > Open and types path; returns the dialog (nullptr if none).
HWND OpenFile(const Program& p, const std::string& path);
HWND OpenFile(const Program& p, const std::wstring& path);

// Texts as UTF-16, for names and texts outside code page 932.
std::wstring WindowTextW(HWND window);
void SetItemTextW(HWND dialog, int id, const std::wstring& text);
std::wstring Widened(const std::string& cp932);
std::string Narrowed(const std::wstring& text); // as code page 932
// Types each UTF-16 unit into a control as the keyboard would (WM_CHAR).
void TypeInto(HWND control, const std::wstring& text);
// Puts text on the clipboard and pastes it into a control.
void PasteInto(HWND control, const std::wstring& text);

// The program's error box ("エラー"): its text, after pressing OK; "" if none.
std::string TakeError(const Program& p, DWORD ms = 3000);

// A file's whole contents ("" when it cannot be read).
std::string ReadBytes(const std::string& path);
std::string ReadBytes(const std::wstring& path);
// The names in a folder (no "." and ".."), sorted.
std::vector<std::wstring> FolderListing(const std::wstring& folder);

// A window's text as the window system holds it; unlike WindowText this
// needs no answer from the program, so it works while the program is busy.
std::string HeldWindowText(HWND window);

// Z:\a\b is /a/b on the Unix side, and back.
std::string UnixPath(std::string windowsPath);
std::string WindowsPath(std::string unixPath);
// Starts a Unix program; its command line begins with the program's Z: path.
// Wine gives no handle worth waiting on: the program tells it is done
// through a file of its own.
bool StartUnixProgram(const std::string& commandLine);

// A logger simulator on a pseudo-terminal, reachable as COM<port> by the
// program. Stopped (and the port absent again) by StopLogger.
struct Logger {
    int port = 0;
    std::string folder; // Windows path of its files
    bool running = false;
};
// fault: one of the simulator's fault modes; recording: an .mv2 file (Windows
// path) to send, or "" for its synthetic day.
// flowControlLeftOn: the pty starts at 9600 with hardware and software flow
// control on, as an earlier program may leave a port.
Logger StartLogger(int port, const char* fault = "none", const std::string& recording = "",
                   bool flowControlLeftOn = false);
// How the line was set up each time the command arrived, one line each:
// "speed=19200 data=8 parity=none stop=1 crtscts=0 ixon=0 ixoff=0".
std::string LoggerLineSettings(const Logger& logger);
void StopLogger(Logger& logger);
// Everything the logger received so far, as hex digits.
std::string LoggerHeard(const Logger& logger);

// The program's stored settings (HKCU\Software\MARVEK2): a value's text, ""
// when absent; and all of them removed, as on a machine where the program
// never ran.
std::string SettingText(const char* value);
void SetSettingText(const char* value, const std::string& text);
void SetSettingBytes(const char* value, const void* bytes, DWORD size);
void SetSettingNumber(const char* value, DWORD number);
void ClearSettings();

// Waits up to a minute for a started process, closes its handles and gives
// its exit code (98 if it did not end).
DWORD ExitCodeAfterWaiting(PROCESS_INFORMATION& started);

// Runs mv2tool.exe from the build folder and waits; its exit status. What it
// writes to standard output and error goes to `out` and `err` when given.
DWORD RunTool(const std::wstring& arguments, std::string* out = nullptr,
              std::string* err = nullptr);

// A report list view of the program's, read and changed across processes
// through memory lent in the program's process.
int ListRowCount(HWND list);
std::string ListCell(const Program& p, HWND list, int row, int column); // code page 932
std::wstring ListCellW(const Program& p, HWND list, int row, int column);
// Sets a row's state bits (LVIS_SELECTED, LVIS_FOCUSED) under `mask`.
void SetListRowState(const Program& p, HWND list, int row, UINT state, UINT mask);
UINT ListRowState(HWND list, int row, UINT mask);

// A message box's text.
std::string MessageText(HWND box);

struct MenuItem {
    int popup;
    UINT id;
    UINT state;
    std::string text;
};
struct MenuSnapshot {
    std::vector<std::string> popups;
    std::vector<MenuItem> items;
    const MenuItem* find(UINT id) const;
};
// The menu bar as the program holds it, with every pop-up announced first so
// that the gray states are what the user would see on opening.
MenuSnapshot ReadMenu(const Program& p);

// Tells the main window its screen is now at `dpi`, with the place Windows
// suggests for it, as Windows does when it moves to another screen.
void ChangeDpi(const Program& p, int dpi, const RECT& place);

// Drops one file on the main window, as Explorer would.
void DropFile(const Program& p, const std::wstring& path);
// Chooses a menu command (0: none) and hands the files over as second copies
// would, before the program takes the command: each is answered first, the
// command runs next, and the files' turn comes after it. What each answer
// was (1: taken).
std::vector<int> HandOverAfter(const Program& p, WORD command,
                               const std::vector<std::wstring>& paths);

// Real input, as the user's mouse and keyboard give it (the program's
// window must be in front for keys).
// Puts the mouse on a point of the window's client area.
void MoveMouseTo(const Program& p, int x, int y);
// Takes the mouse off every window (the screen's top-left corner).
void MoveMouseAway();
void ClickAt(const Program& p, int x, int y);
// The same over another of the program's windows (a dialog's child): a
// point of its client area; a double click is two clicks at once.
void MoveMouseOver(const Program& p, HWND window, int x, int y);
void ClickOver(const Program& p, HWND window, int x, int y, int times = 1);
// A key pressed in that window's top-level window, which comes in front.
void PressKeyIn(const Program& p, HWND window, WORD key);
// Presses and releases a key, with Shift held when asked.
void PressKey(const Program& p, WORD key, bool shift = false);
// The same with Ctrl held: a shortcut.
void PressCtrlKey(const Program& p, WORD key);

// Where a window is, as "left,top widthxheight": on the screen, or for a
// child in its parent's client area. Placed writes an expected one.
std::string Placed(int left, int top, int width, int height);
std::string ScreenPlace(HWND window);
std::string ChildPlace(HWND child);

// Pixels of a screen area.
Capture CaptureClient(HWND window);
Capture CaptureWindow(HWND window);
// Writes a capture as a BMP under <build>/screenshots/.
void SaveScreenshot(const Capture& c, const std::string& name);

// Starts a fresh program for each test and ends it afterwards.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    Program app;
};
