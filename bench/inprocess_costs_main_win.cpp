// In-process costs of the main window, printed as medians: putting a year on
// the calendar (the control is re-created each time), and rebuilding the
// tray's date icon against the least any 16x16 icon costs (two bitmaps, the
// icon made from them, and their release). The shell's own calls are left
// out: a shell that only answers stands in for it. Run it in a session of
// its own, as scripts/bench.sh does: it reads and writes the settings.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/main_window_win.h"
#include "app/system_clock_win.h"
#include "trayicon/notify_icon_win.h"
#include "widgets/application_win.h"

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds that a call takes.
template <typename F>
double Time(F&& f) {
    LARGE_INTEGER freq, a, b;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
}

void LeastIcon() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO icon{TRUE, 0, 0, mask, colour};
    HICON handle = CreateIconIndirect(&icon);
    DeleteObject(colour);
    DeleteObject(mask);
    DestroyIcon(handle);
}

}  // namespace

int wmain() {
    using namespace kiv;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    SetTrayShell({[](DWORD, NOTIFYICONDATAW*) { return TRUE; }, [](UINT) {}});
    SystemClock clock;
    TfMain_calendar window(clock);
    window.Create();
    ShowWindow(window.hwnd(), SW_SHOW);
    Application::instance().processMessages();

    std::vector<double> year;
    for (int i = 0; i < 100; ++i) year.push_back(Time([&] { window.ShowYear(2000 + i); }));
    std::printf("ShowYear median over 100 calls: %.3f ms (target under 5 ms)\n", Median(year));

    std::vector<double> rebuild, floor;
    for (int round = 0; round < 2000; ++round) {
        rebuild.push_back(Time([&] { window.UpdateNotifyIcon(); }));
        floor.push_back(Time(LeastIcon));
    }
    const double r = Median(rebuild), f = Median(floor);
    std::printf("Date icon rebuild median %.4f ms, floor median %.4f ms, ratio %.2f (target <= 1.5)\n", r, f, r / f);
    return 0;
}
