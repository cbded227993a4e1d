// The yardstick for the start-up benchmark: the least a program can do to put
// a year of the system month-calendar on the screen - one window, one
// SysMonthCal32 showing twelve months in four columns, nothing else.
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr wchar_t kClassName[] = L"KivMinimalCalendar";

HWND g_calendar = nullptr;

// Twelve months in four columns and three rows; the control needs a few pixels
// more per column and a few less per row than the single month it reports.
SIZE YearSize(HWND calendar) {
    RECT one{};
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&one));
    const int w = one.right - one.left;
    const int h = one.bottom - one.top;
    return SIZE{4 * (w + 6), 3 * (h - 11) + 17};
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_SIZE:
        if (g_calendar) MoveWindow(g_calendar, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 1;

    const DWORD style = WS_OVERLAPPEDWINDOW;
    HWND window = CreateWindowExW(0, kClassName, L"Minimal calendar", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    g_calendar = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                                 instance, nullptr);
    if (!g_calendar) return 1;

    const SIZE client = YearSize(g_calendar);
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
    UpdateWindow(window);

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
