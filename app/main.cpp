// Program entry: one copy only, the main window centred on the desktop, and
// the message loop.
#include "app/main_window.h"
#include "core/messages.h"
#include "res/resource.h"
#include "store/store.h"
#include "win/wide.h"

namespace {

constexpr int MainWidth = 930;
constexpr int MainHeight = 620;

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = MainMenuName;
    wc.lpszClassName = MainWindowClass;
    return RegisterClassExW(&wc) != 0;
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Held, never released, until the process ends.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"UniqueName");
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxW(nullptr, Wide(AlreadyRunningText), Wide(StartupCaption), MB_OK);
        return 0;
    }

    Instance = instance;
    if (!RegisterMainClass(instance)) return 0;

    MainWindow = CreateWindowExW(0, MainWindowClass, Wide(ProductTitle),
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, MainWidth, MainHeight,
                                 nullptr, nullptr, instance, nullptr);
    // Without a window there is nothing to wait for: waiting would only keep
    // the mutex, and every later start would be turned away.
    if (!MainWindow) return 0;
    CentreOnDesktop(MainWindow);

    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
