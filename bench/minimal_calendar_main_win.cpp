// The yardstick for the start-up benchmark: the least a program can do to put
// a year of the system month-calendar on the screen - one window, one
// SysMonthCal32 showing twelve months in four columns, nothing else.
//   minimal_calendar [-tray]
// With -tray it is the least a tray program showing the same control does:
// one notification-area icon (16x16, with a tooltip) added before the first
// paint; closing the window hides it, a double click on the icon shows it.
// Both end when the session ends.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kClassName[] = L"KivMinimalCalendar";

constexpr UINT kTrayMessage = WM_APP + 1;

HWND g_calendar = nullptr;
bool g_tray = false;

// A 16x16 icon drawn in memory: a square of one colour.
HICON MakeTrayIcon() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits) {
        auto* pixels = static_cast<DWORD*>(bits);
        for (int i = 0; i < 16 * 16; ++i) pixels[i] = 0xFF2060C0;
    }
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO icon{TRUE, 0, 0, mask, colour};
    HICON handle = CreateIconIndirect(&icon);
    DeleteObject(colour);
    DeleteObject(mask);
    return handle;
}

NOTIFYICONDATAW TrayData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    return data;
}

void AddTrayIcon(HWND window, HICON icon) {
    NOTIFYICONDATAW data = TrayData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon;
    lstrcpynW(data.szTip, L"Minimal calendar", ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_ADD, &data);
}

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
    case kTrayMessage:
        if (lp == WM_LBUTTONDBLCLK) {
            ShowWindow(hwnd, SW_SHOW);
            SetForegroundWindow(hwnd);
        }
        return 0;
    case WM_CLOSE:
        if (!g_tray) break;
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    case WM_ENDSESSION:
        if (wp) DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        if (g_tray) {
            NOTIFYICONDATAW data = TrayData(hwnd);
            Shell_NotifyIconW(NIM_DELETE, &data);
        }
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
    g_tray = commandLine && lstrcmpiW(commandLine, L"-tray") == 0;
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
    HICON trayIcon = g_tray ? MakeTrayIcon() : nullptr;
    if (g_tray) AddTrayIcon(window, trayIcon);
    ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
    UpdateWindow(window);

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (trayIcon) DestroyIcon(trayIcon);
    return static_cast<int>(msg.wParam);
}
