// Program entry: one copy only, the main window centred on the desktop, and
// the message loop.
#include "app/main_window.h"
#include "store/store.h"
#include "res/resource.h"

namespace {

constexpr int MainWidth = 930;
constexpr int MainHeight = 620;

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = "MYMENU";
    wc.lpszClassName = MainWindowClass;
    return RegisterClassExA(&wc) != 0;
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
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "UniqueName");
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxA(nullptr, "既に起動されています", "起動確認", MB_OK);
        return 0;
    }

    Instance = instance;
    if (!RegisterMainClass(instance)) return 0;

    MainWindow = CreateWindowExA(0, MainWindowClass, ProductTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, MainWidth, MainHeight, nullptr, nullptr, instance, nullptr);
    CentreOnDesktop(MainWindow);

    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
