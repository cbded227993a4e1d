#include "calendar_probe.h"

#include <commctrl.h>

#include <cstdio>

#include "program_driver.h"

namespace kiv::e2e {
namespace {

// "2026-12-30", or "2026-12" for its month.
std::string DayText(const SYSTEMTIME& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}

std::string MonthText(const SYSTEMTIME& day) { return DayText(day).substr(0, 7); }

}  // namespace

CalendarProbe::CalendarProbe(HWND mainWindow) : window_(mainWindow) {
    DWORD processId = 0;
    GetWindowThreadProcessId(mainWindow, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
        remote_ = VirtualAllocEx(process_, nullptr, 2 * sizeof(SYSTEMTIME), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

CalendarProbe::~CalendarProbe() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

HWND CalendarProbe::control() const {
    return FindVisibleChild(window_, MONTHCAL_CLASSW);
}

bool CalendarProbe::hasFocus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND calendar = control();
    return calendar && GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
           info.hwndFocus == calendar;
}

HWND CalendarProbe::yearBoxControl() const {
    return FindVisibleChild(window_, L"Edit",
                            [](HWND edit) { return (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0; });
}

std::wstring CalendarProbe::yearBox() const {
    HWND box = yearBoxControl();
    wchar_t text[16]{};
    if (box) SendMessageW(box, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    return text;
}

bool CalendarProbe::ask(UINT message, WPARAM wp, SYSTEMTIME (&answer)[2]) const {
    HWND calendar = control();
    if (!calendar || !remote_) return false;
    const SYSTEMTIME empty[2] = {};
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, remote_, empty, sizeof empty, &moved)) return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(calendar, message, wp, reinterpret_cast<LPARAM>(remote_), SMTO_ABORTIFHUNG, 5000,
                             &result))
        return false;
    return ReadProcessMemory(process_, remote_, answer, sizeof answer, &moved) && answer[0].wYear != 0;
}

std::string CalendarProbe::selection() const {
    SYSTEMTIME day[2] = {};
    return ask(MCM_GETCURSEL, 0, day) ? DayText(day[0]) : std::string();
}

std::string CalendarProbe::visibleMonths() const {
    SYSTEMTIME range[2] = {};
    return ask(MCM_GETMONTHRANGE, GMR_VISIBLE, range) ? MonthText(range[0]) + ".." + MonthText(range[1])
                                                      : std::string();
}

}  // namespace kiv::e2e
