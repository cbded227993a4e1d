#include "app/main_tray_win.h"

#include <algorithm>

#include "app/app_texts.h"
#include "calendar/date_format_win.h"
#include "resources/pixmap_win.h"
#include "settings/shortcut.h"
#include "trayicon/event_tooltip.h"
#include "widgets/color_win.h"

namespace kiv {

namespace {

// The shell shows the tray's icons at the small-icon size of the system
// DPI: 16 pixels at 96 DPI, 20, 24 or 32 at 120, 144 or 192. A system that
// reports the unscaled size is given the scaled one all the same.
int TrayIconSize() {
    // The system DPI stays what it was when the process started: read once,
    // not on every tick of the timer.
    static const int dpi = [] {
        int value = 96;
        if (HDC screen = GetDC(nullptr)) {
            value = GetDeviceCaps(screen, LOGPIXELSX);
            ReleaseDC(nullptr, screen);
        }
        return value;
    }();
    return std::max({16, GetSystemMetrics(SM_CXSMICON), MulDiv(16, dpi, 96)});
}

}  // namespace

bool MainTray::Shown::operator==(const Shown& other) const {
    return date == other.date && day == other.day && size == other.size && style.transparent == other.style.transparent &&
           style.smallNumbers == other.style.smallNumbers && style.boldNumbers == other.style.boldNumbers &&
           style.color == other.style.color && toolTip == other.toolTip;
}

void MainTray::Create(HWND window, std::function<void()> onClick, std::function<void()> onDblClick,
                      std::function<void(UINT command)> onCommand) {
    // As a form declares it: the properties are read first, and the icon is
    // added once when loading ends.
    icon_.Create(window);
    icon_.SetVisible(true);
    icon_.SetIcon(LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)));
    icon_.PopupMenu = &menu_;
    icon_.OnClick = [click = std::move(onClick)](const void*) { click(); };
    icon_.OnDblClick = [dblClick = std::move(onDblClick)](const void*) { dblClick(); };
    icon_.RightClickBeepOnNoMenu = true;
    menu_.OnCommand = std::move(onCommand);
    icon_.Loaded();
    icon_.SetToolTip(texts::kApplicationTitle);
}

void MainTray::Update(const CalendarSettings& settings, TDateTime today, const std::vector<std::wstring>& events) {
    Shown next;
    next.date = settings.ShowDateInNotifyIcon;
    if (next.date) {
        next.day = DecodeDate(today).day;
        next.size = TrayIconSize();
        next.toolTip = DateToolTip(texts::kApplicationTitle, ShortDateText(today), LongDateText(today),
                                   settings.LongDateFormat);
        if (!events.empty()) next.toolTip = EventToolTip(next.toolTip, events, ShellMajorVersion());
        next.style.transparent = settings.TransparentIcon;
        next.style.smallNumbers = settings.UseSmallNumbers;
        next.style.boldNumbers = settings.BoldNumbers;
        // Resolved each time: a system colour may have changed meanwhile.
        next.style.color = ColorToRGB(settings.NotifyIconColor);
    }
    if (shown_ && *shown_ == next) return;
    shown_ = next;
    if (!next.date) {
        // The last date text stays as the tooltip.
        icon_.SetIcon(LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)));
        return;
    }
    if (icon_.ToolTip() != next.toolTip) icon_.SetToolTip(next.toolTip);
    icon_.SetIcon(CreateIconFromPixmap(ComposeDateIcon(next.day, next.style, next.size).IconPixels()));
}

bool MainTray::RegisterHotKey(HWND window, const CalendarSettings& settings) {
    hotKey_.reset();
    if (!settings.UseHotkey) return true;
    const HotKeyParts parts = ShortCutToHotKey(settings.Hotkey, settings.WinHotkey);
    return hotKey_.registerKey(window, 0, parts.modifiers, parts.key);
}

bool MainTray::IsHotKey(LPARAM lp, const CalendarSettings& settings) {
    const HotKeyParts parts = ShortCutToHotKey(settings.Hotkey, settings.WinHotkey);
    return HIWORD(lp) == parts.key && LOWORD(lp) == parts.modifiers;
}

}  // namespace kiv
