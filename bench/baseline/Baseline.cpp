// The floor for a tray utility of this kind: what Velmora.exe would cost if
// it did nothing. The same process set-up (OLE for the GUI thread, version 6
// of the common controls through the same manifest), one window of the
// same size and styles, and the same two timers, whose ticks do no work.
// Used by scripts/bench-idle.sh; it runs until its process is ended.
//
// With "--clock" on its command line it also reads the local time on each
// 1 000 ms tick, the one piece of system work that any switcher of this kind
// does every second, and shows another caption so that both can run at once.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstring>

namespace {

constexpr UINT_PTR sunTimerId = 1;
constexpr UINT_PTR switchTimerId = 2;
constexpr int windowWidth = 560;
constexpr int windowHeight = 379;
const char* const windowClass = "VelmoraBaselineWindow";
// The captions the benchmark looks for on the display.
const char* const windowCaption = "VelmoraBaseline";
const char* const clockWindowCaption = "VelmoraBaselineClock";

bool readsClock = false;

LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (readsClock && wParam == switchTimerId) {
                SYSTEMTIME now;
                GetLocalTime(&now);
            }
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, sunTimerId);
            KillTimer(hwnd, switchTimerId);
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR commandLine, int) {
    readsClock = commandLine && std::strstr(commandLine, "--clock") != nullptr;
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&init);

    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = mainProc;
    cls.hInstance = module;
    cls.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = windowClass;
    RegisterClassExA(&cls);

    const int left = (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
    HWND main = CreateWindowExA(WS_EX_APPWINDOW, windowClass, readsClock ? clockWindowCaption : windowCaption,
                                WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, left, top, windowWidth, windowHeight,
                                nullptr, nullptr, module, nullptr);
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    SetTimer(main, sunTimerId, 10000, nullptr);
    SetTimer(main, switchTimerId, 1000, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    OleUninitialize();
    return static_cast<int>(msg.wParam);
}
