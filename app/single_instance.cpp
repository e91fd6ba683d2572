// Handing a file from a second copy to the running one.
#include "app/single_instance.h"

#include <deque>

#include "app/command_gate.h"
#include "core/command_line.h"
#include "files/file_commands.h"
#include "app/identity.h"
#include "win/wide.h"
#include "win/window_messages.h"

namespace {

constexpr DWORD FindAttempts = 50;
constexpr DWORD FindIntervalMs = 100;
constexpr UINT AnswerTimeoutMs = 5000;

// Taken and not yet opened, oldest first.
std::deque<std::u16string> Taken;

HWND FindRunningWindow() {
    for (DWORD attempt = 0; attempt < FindAttempts; ++attempt) {
        if (HWND window = FindWindowW(MainWindowClass, nullptr)) return window;
        Sleep(FindIntervalMs);
    }
    return nullptr;
}

} // namespace

bool ForwardToRunningCopy(const std::u16string& fullPath) {
    HWND window = FindRunningWindow();
    if (!window) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {};
    data.dwData = ForwardedPathTag;
    data.cbData = static_cast<DWORD>((fullPath.size() + 1) * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(fullPath.c_str());
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, AnswerTimeoutMs, &answer) &&
           answer == TRUE;
}

LRESULT AcceptForwardedFile(HWND window, const COPYDATASTRUCT* data) {
    if (!HandedOverFileMayOpen(CurrentCommandState())) return FALSE;
    std::u16string path;
    if (!data || data->dwData != ForwardedPathTag ||
        !ForwardedPath(data->lpData, data->cbData, path))
        return FALSE;
    Taken.push_back(std::move(path));
    if (!PostMessageW(window, ForwardedFileMessage, 0, 0)) {
        Taken.pop_back();
        return FALSE;
    }
    return TRUE;
}

void OpenWaitingFiles(HWND window) {
    while (!Taken.empty() && HandedOverFileMayOpen(CurrentCommandState())) {
        const std::u16string path = std::move(Taken.front());
        Taken.pop_front();
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        OpenRecordingFile(window, path);
    }
}

void OpenWaitingFilesLater(HWND window) {
    if (!Taken.empty()) PostMessageW(window, ForwardedFileMessage, 0, 0);
}
