// Program entry: one copy only, the main window centred on the desktop, and
// the message loop.
#include "app/identity.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/window_layout.h"
#include "app/window_handles.h"

#include <cstdlib>

#include "core/command_line.h"
#include "core/messages.h"
#include "files/file_commands.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/dpi_scale.h"
#include "win/dpi.h"
#include "win/wide.h"
#include "win/window_placement.h"

namespace {

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = MainMenuName;
    wc.lpszClassName = MainWindowClass;
    return RegisterClassExW(&wc) != 0;
}

// The window's 96-DPI outer size, scaled for the DPI of its screen.
void SizeForDpi(HWND window) {
    const int dpi = WindowDpi(window);
    SetWindowPos(window, nullptr, 0, 0, static_cast<int>(Scaled(MainWidth, dpi)),
                 static_cast<int>(Scaled(MainHeight, dpi)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Only the desktop's right and bottom count; its left and top are taken as 0.
void CentreOnDesktop(HWND window) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, (desktop.right - width) / 2, (desktop.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

std::u16string FullPath(const std::u16string& path) {
    const DWORD size = GetFullPathNameW(Wide(path.c_str()), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::u16string full(size, u'\0');
    const DWORD n =
        GetFullPathNameW(Wide(path.c_str()), size, reinterpret_cast<wchar_t*>(&full[0]), nullptr);
    full.resize(n < size ? n : 0);
    return full.empty() ? path : full;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // "Open with" and a file association pass one path.
    const std::u16string path = CommandLinePath(Utf16(GetCommandLineW()));
    // Held, never released, until the process ends.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, SingleCopyMutex);
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (path.empty() || !ForwardToRunningCopy(FullPath(path)))
            MessageBoxW(nullptr, Wide(AlreadyRunningText), Wide(StartupCaption), MB_OK);
        return 0;
    }

    // Whoever else holds it (sample code everywhere names its mutex so), it
    // is only made for those that look for it.
    CreateMutexW(nullptr, TRUE, EarlierSingleCopyMutex);

    SetInstance(instance);
    RestoreThresholdSettings();
    if (!RegisterMainClass(instance)) return 0;

    // The window procedure takes its handle in WM_NCCREATE.
    CreateWindowExW(0, MainWindowClass, Wide(ProductTitle), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                    MainWidth, MainHeight, nullptr, nullptr, instance, nullptr);
    // Without a window there is nothing to wait for: waiting would only keep
    // the mutex, and every later start would be turned away.
    if (!MainWindow) return 0;
    SizeForDpi(MainWindow);
    if (!RestoreWindowPlacement(MainWindow, MainPlacementSetting)) CentreOnDesktop(MainWindow);
    if (!path.empty()) OpenRecordingFile(MainWindow, FullPath(path));

    // Shortcuts are the main window's: a dialog's loop keeps its own keys.
    HACCEL shortcuts = LoadAcceleratorsW(instance, MainAccelerators);
    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        const bool ours = msg.hwnd == MainWindow || IsChild(MainWindow, msg.hwnd);
        if (ours && shortcuts && TranslateAcceleratorW(MainWindow, shortcuts, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// The default terminate handler prints the demangled type of an uncaught
// exception, which brings the whole demangler (45 KB) into the one .exe; a
// window program has nowhere to print it, so it just ends.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
