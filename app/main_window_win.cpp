#include "app/main_window_win.h"

#include <windowsx.h>

#include <stdexcept>

#include "app/app_texts.h"
#include "app/instance_win.h"
#include "app/screen_geometry.h"
#include "app/show_hide_win.h"
#include "app/year_view.h"
#include "resources/resource_ids.h"
#include "widgets/application_win.h"

namespace kiv {
namespace {
constexpr UINT kFocusCalendar = WM_APP + 1;
constexpr UINT kTimerInterval = 5000;  // ms
constexpr int kDesignClientWidth = 442;
constexpr int kDesignClientHeight = 254;
constexpr DWORD kFramedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}  // namespace

TfMain_calendar::TfMain_calendar(const Clock& clock) : clock_(clock) {}

TfMain_calendar::~TfMain_calendar() {
    // The calendar and the boxes are gone with the window; drop their hooks first.
    calendar_.OnSelectionChange = nullptr;
    calendar_.OnKeyUp = nullptr;
    calendar_.OnGetMonthInfo = nullptr;
    // The loop must not reach this object through its hooks any more.
    Application& app = Application::instance();
    app.setAccelerators(nullptr, nullptr);
    app.setKeyboardNavigation(nullptr);
    app.setShortcutFilter(nullptr);
    app.setIdleHandler(nullptr);
    tearingDown_ = true;
    destroy();
}

void TfMain_calendar::Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KIV_CALENDAR), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    auto smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KIV_CALENDAR), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                   LR_SHARED));
    registerClass(texts::kMainWindowClass, CS_DBLCLKS, nullptr, icon, smallIcon);
    BuildMenu();
    // No owner window: the main window has its own taskbar button while visible.
    RECT rc{0, 0, kDesignClientWidth, kDesignClientHeight};
    AdjustWindowRectEx(&rc, kFramedStyle, TRUE, 0);
    create(texts::kMainWindowClass, texts::kApplicationTitle, kFramedStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
           rc.right - rc.left, rc.bottom - rc.top, nullptr, mainMenu_.get());
    tray_.Create(
        hwnd(), [this] { NotifyIconClick(); }, [this] { mnShowClick(); },
        [this](UINT command) { RunCommand(static_cast<Command>(command)); });

    state_.HiddenOnce = false;
    toolbar_.Create(hwnd());
    BuildAccelerators();
    toolbar_.edYear.OnKeyPress = [this](wchar_t ch, bool& handled) {
        if (ch == L'\r') {
            handled = true;
            RunCommand(Command::GoButton);
        } else if (ch == 0x01) {  // Ctrl+A, which not every edit control knows
            handled = true;
            toolbar_.edYear.SelectAll();
        }
    };
    markedDays_.Create(toolbar_.edSelectedDate.hwnd());

    const TDateTime today = clock_.Today();
    state_.LastSelectedDate = today;
    state_.TodayAtLastCheck = today;
    const CivilDate d = DecodeDate(today);
    state_.CurrentYear = static_cast<std::uint16_t>(d.year);
    state_.CurrentMonth = static_cast<std::uint16_t>(d.month);
    toolbar_.edYear.SetNumber(state_.CurrentYear);

    scrollBox_.Create(hwnd(), 0);
    calendar_.SetParent(scrollBox_.hwnd());
    calendar_.SetWeekNumbers(false);
    calendar_.SetShowToday(false);
    calendar_.CalColors().Set(0, SystemColor(syscolor::AppWorkspace));
    calendar_.SetBounds(0, 0);
    calendar_.SetDate(clock_.Now());
    calendar_.OnSelectionChange = [this] { UpdateSelectedDate(); };
    calendar_.OnKeyUp = [this](WORD key, ShiftState shift) { CalendarKeyUp(key, shift); };
    calendar_.OnGetMonthInfo = [this](int year, int month, MONTHDAYSTATE* states, int count) {
        markedDays_.AnswerDayStates(year, month, states, count);
    };
    calendar_.AdjustSize();
    scrollBox_.SetContent(calendar_.panel());

    state_.Settings.Colors = &calendar_.CalColors();
    state_.Settings.NotifyIconColor = kBlack;
    state_.FitTop = 0;
    state_.FitLeft = 0;
    ReadTaskbarMargins();

    // Without the timer the change of day would never be followed.
    if (!SetTimer(hwnd(), kTimerId, kTimerInterval, nullptr)) throw std::runtime_error(texts::kNoTimer);
    Application::instance().setKeyboardNavigation([this](const MSG& msg) {
        markedDays_.Details().Preview(msg);
        return NavigateByKey(msg);
    });
    Application::instance().setShortcutFilter([this](const MSG& msg) { return toolbar_.IsYearBoxEditingKey(msg); });
    creating_ = true;
    LoadSettings();
    creating_ = false;
    if (fitPending_) FitWindow();
    fitPending_ = false;
}

void TfMain_calendar::ReadTaskbarMargins() {
    std::optional<Rect> taskbar;
    RECT rc{};
    if (GetTaskbarRect(rc)) taskbar = Rect{rc.left, rc.top, rc.right, rc.bottom};
    const TaskbarMargins m = ComputeTaskbarMargins(taskbar);
    state_.TaskbarMarginX = m.marginX;
    state_.TaskbarMarginY = m.marginY;
    state_.FitLeft = m.fitLeft;
    state_.FitTop = m.fitTop;
}

void TfMain_calendar::LayoutChildren() {
    if (!scrollBox_.hwnd()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    int top = 0;
    if (toolbar_.hwnd() && toolbar_.Visible()) {
        toolbar_.AutoSize();
        top = toolbar_.Height();
    }
    SetWindowPos(scrollBox_.hwnd(), nullptr, 0, top, client.right, client.bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    scrollBox_.UpdateScrollBars();
}

void TfMain_calendar::SetTopmost(bool on) {
    // Lowering a window that was never raised changes nothing; skipping it
    // spares the start-up a costly round trip to the window system.
    const bool isTopmost = topmost_ || (GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (!on && !isTopmost) return;
    SetWindowPos(hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    topmost_ = on;
}

void TfMain_calendar::FitWindow() {
    if (creating_) {
        // While the window is being built the settings change the layout
        // several times; it is fitted once, at the end.
        fitPending_ = true;
        return;
    }
    HMONITOR monitor = MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(monitor, &mi);
    FitInput in;
    in.calendarWidth = calendar_.Width();
    in.calendarHeight = calendar_.Height();
    in.toolbarHeight = toolbar_.Visible() ? toolbar_.Height() : 0;
    in.horzScrollBar = scrollBox_.HorzScrollBarHeight();
    in.vertScrollBar = scrollBox_.VertScrollBarWidth();
    in.monitor = Rect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom};
    in.taskbar = TaskbarMargins{state_.TaskbarMarginX, state_.TaskbarMarginY, state_.FitLeft, state_.FitTop};
    // The frame's size is measured, so that a menu bar that wraps at the new
    // width is caught on the second pass.
    // The toolbar wraps its buttons onto a second row in a narrow window
    // (one column): its height is measured again at the new width.
    for (int pass = 0; pass < 3; ++pass) {
        RECT outer{}, client{};
        GetWindowRect(hwnd(), &outer);
        GetClientRect(hwnd(), &client);
        in.frameWidth = (outer.right - outer.left) - client.right;
        in.frameHeight = (outer.bottom - outer.top) - client.bottom;
        const FitResult fit = FitWindowToCalendar(in);
        SetWindowPos(hwnd(), nullptr, fit.window.left, fit.window.top, fit.window.width(), fit.window.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(hwnd(), &client);
        const int toolbarHeight = toolbar_.Visible() ? (toolbar_.AutoSize(), toolbar_.Height()) : 0;
        if (client.right == fit.clientWidth && client.bottom == fit.clientHeight && toolbarHeight == in.toolbarHeight)
            break;
        in.toolbarHeight = toolbarHeight;
    }
    LayoutChildren();
}

void TfMain_calendar::FocusCalendar() {
    if (calendar_.hwnd()) SetFocus(calendar_.hwnd());
}

void TfMain_calendar::FormShow() {
    ShowYear(kTodayYear);
    UpdateNotifyIcon();
    PostMessageW(hwnd(), kFocusCalendar, 0, 0);
}

void TfMain_calendar::FormPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (toolbar_.lblFixButtonSeparator2) {
        RECT label{};
        GetWindowRect(toolbar_.lblFixButtonSeparator2, &label);
        MapWindowPoints(nullptr, GetParent(toolbar_.lblFixButtonSeparator2), reinterpret_cast<POINT*>(&label), 2);
        RECT fill{label.left, label.top, label.left + (label.right - label.left) - 1,
                  label.top + (label.bottom - label.top) - 1};
        FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(hwnd(), &ps);
}

void TfMain_calendar::OnActivationMessage() {
    // Hidden and shown again, the icon is added afresh.
    tray_.Icon().SetVisible(false);
    tray_.Icon().SetVisible(true);
    mnShowClick();
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
}

void TfMain_calendar::OnActivateApp(bool active) {
    if (!active) return;
    HWND popup = GetLastActivePopup(hwnd());
    if (popup && popup != hwnd() && IsWindowVisible(popup) && IsWindowEnabled(popup)) SetForegroundWindow(popup);
}

void TfMain_calendar::OnSysColorChange() {
    // Only top-level windows hear of the change; the controls keep copies of
    // the system colours, and the calendar was given resolved values.
    EnumChildWindows(
        hwnd(),
        [](HWND child, LPARAM) -> BOOL {
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
            return TRUE;
        },
        0);
    calendar_.RefreshColors();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TfMain_calendar::OnDpiChanged(const RECT& suggested) {
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    toolbar_.DpiChanged();
    menuImages_.SetDpi(WindowDpi(hwnd()));
    // The calendar's font follows the new DPI. Until the calendar is sized
    // again fewer months may fit, and the selection may have pulled a later
    // one first: the months are put back once it fits.
    const auto shown = calendar_.VisibleMonths();
    calendar_.RecreateCalendar();
    calendar_.AdjustSize();
    if (shown) calendar_.ShowMonths(shown->first, shown->last);
    FitWindow();
    // The shell may want an icon of another size now.
    tray_.Invalidate();
    UpdateNotifyIcon();
}

bool TfMain_calendar::NavigateByKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd() || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    bool used = false;
    Guarded([&] {
        if (msg.wParam == VK_TAB) {
            MoveFocus(GetKeyState(VK_SHIFT) < 0);
            used = true;
        } else if ((msg.wParam == VK_RETURN || msg.wParam == VK_SPACE) && GetFocus() == toolbar_.hwnd()) {
            used = toolbar_.ClickHotButton();
        }
    });
    return used;
}

void TfMain_calendar::MoveFocus(bool backward) {
    // The stops in order: the year box, the go button, the calendar. Without
    // the toolbar only the calendar is left.
    enum Stop { kYearBox, kGoButton, kCalendar, kStops };
    if (!toolbar_.Visible()) {
        if (calendar_.hwnd()) SetFocus(calendar_.hwnd());
        return;
    }
    const HWND focus = GetFocus();
    const int current = focus == toolbar_.edYear.hwnd() ? kYearBox : focus == toolbar_.hwnd() ? kGoButton : kCalendar;
    const int next = (current + (backward ? kStops - 1 : 1)) % kStops;
    switch (next) {
        case kYearBox:
            SetFocus(toolbar_.edYear.hwnd());
            toolbar_.edYear.SelectAll();
            break;
        case kGoButton: toolbar_.FocusButton(Command::GoButton); break;
        default:
            if (calendar_.hwnd()) SetFocus(calendar_.hwnd());
            break;
    }
}

void TfMain_calendar::HideOnFirstIdle() {
    if (state_.HiddenOnce) return;
    ShowWindow(hwnd(), SW_HIDE);
    state_.HiddenOnce = true;
    Application::instance().setIdleHandler(nullptr);
}

std::optional<LRESULT> TfMain_calendar::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == ActivationMessage() && msg != 0) {
        OnActivationMessage();
        return 0;
    }
    if (msg == TaskbarCreatedMessage() && msg != 0) {
        tray_.Icon().ShellRestarted();
        return 0;
    }
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == 0 || HIWORD(wp) == 1 || (lp && reinterpret_cast<HWND>(lp) == toolbar_.hwnd())) {
                if (LOWORD(wp) >= static_cast<WORD>(Command::PrinterSetup)) {
                    RunCommand(static_cast<Command>(LOWORD(wp)));
                    return 0;
                }
            }
            return std::nullopt;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lp);
            LRESULT result = 0;
            if (toolbar_.HandleNotify(header, result)) return result;
            return std::nullopt;
        }
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_CLOSE) {
                HideToTray();
                return 0;
            }
            return std::nullopt;
        case WM_CLOSE:
            // Sent from outside ("End task", taskkill): the same as the close box.
            HideToTray();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: the program ends with it as Exit ends it,
            // without taking its windows down one by one. Where no end is
            // installed, the window goes and takes the message loop with it.
            if (wp) {
                Application::instance().terminate();
                DestroyWindow(hwnd());
            }
            return 0;
        case WM_SYSCOLORCHANGE:
            OnSysColorChange();
            return 0;
        case WM_SHOWWINDOW:
            if (wp) FormShow();
            return std::nullopt;
        case kFocusCalendar:
            if (IsWindowVisible(hwnd())) FocusCalendar();
            return 0;
        case WM_ACTIVATE:
            // The default would give the focus to the frame itself; the keys
            // of the borderless mode need the calendar to have it.
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                lastFocus_ = focus && IsChild(hwnd(), focus) ? focus : nullptr;
                return std::nullopt;
            }
            if (HIWORD(wp)) return std::nullopt;  // minimised
            if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd(), lastFocus_))
                SetFocus(lastFocus_);
            else
                FocusCalendar();
            return 0;
        case WM_HOTKEY:
            // The stored setting decides, as it stands when the key is pressed;
            // the key acts as a single click on the icon.
            if (MainTray::IsHotKey(lp, state_.Settings)) NotifyIconClick();
            return 0;
        case WM_TIMER:
            if (wp == kTimerId) OnTimer();
            return 0;
        case WM_PAINT:
            FormPaint();
            return 0;
        case WM_SIZE:
            LayoutChildren();
            return 0;
        case WM_ACTIVATEAPP:
            OnActivateApp(wp != FALSE);
            return std::nullopt;
        case WM_DPICHANGED:
            OnDpiChanged(*reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_DESTROY:
            // The hot key belongs to this window and goes with it.
            tray_.ReleaseHotKey();
            KillTimer(hwnd(), kTimerId);
            // The menu object stays ours: a menu still attached would be destroyed with the window.
            SetMenu(hwnd(), nullptr);
            // Gone for any other reason than the object's own end, the window
            // takes the loop with it, so the program ends and frees its mutex.
            if (!tearingDown_) Application::instance().terminate();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace kiv
