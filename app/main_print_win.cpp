#include "app/main_print_win.h"

#include "app/print_layout.h"
#include "widgets/client_image_win.h"
#include "widgets/system_error_win.h"

namespace kiv {

// The window as it is printed: no toolbar, the hourglass, no
// circle round today and, unless background colours are printed, month
// titles as plain text and no days of neighbouring months. Each change is
// noted as it is made, and what was changed is undone in a fixed order when
// the print ends, whether it worked or not.
class CalendarPrint::Preparation {
public:
    explicit Preparation(const Window& window) : window_(window) {
        try {
            if (window_.toolbar.Visible()) {
                toolbarHeight_ = window_.toolbar.Height();
                window_.toolbar.SetVisible(false);
                toolbarHidden_ = true;
                GrowBy(-toolbarHeight_);
            }
            previousCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            cursorSet_ = true;
            TMonthCalendar& calendar = window_.calendar;
            circle_ = calendar.ShowTodayCircle();
            calendar.SetShowTodayCircle(false);
            circleChanged_ = true;
            TMonthCalColors& colors = calendar.CalColors();
            titleBack_ = colors.TitleBackColor();
            titleText_ = colors.TitleTextColor();
            trailingText_ = colors.TrailingTextColor();
            if (!window_.printBackgroundColors) {
                colorsChanged_ = true;
                colors.SetTitleBackColor(colors.MonthBackColor());
                colors.SetTitleTextColor(colors.TextColor());
                colors.SetTrailingTextColor(colors.MonthBackColor());
            }
        } catch (...) {
            Restore();
            throw;
        }
    }
    Preparation(const Preparation&) = delete;
    Preparation& operator=(const Preparation&) = delete;
    ~Preparation() { Restore(); }

private:
    void GrowBy(int pixels) {
        RECT rc{};
        GetWindowRect(window_.hwnd, &rc);
        SetWindowPos(window_.hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top + pixels,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void Restore() noexcept {
        try {
            TMonthCalendar& calendar = window_.calendar;
            if (circleChanged_) calendar.SetShowTodayCircle(circle_);
            if (colorsChanged_) {
                TMonthCalColors& colors = calendar.CalColors();
                colors.SetTitleBackColor(titleBack_);
                colors.SetTitleTextColor(titleText_);
                colors.SetTrailingTextColor(trailingText_);
            }
            if (cursorSet_) SetCursor(previousCursor_);
            if (toolbarHidden_) {
                GrowBy(toolbarHeight_);
                window_.toolbar.SetVisible(true);
                window_.layOut();
            }
        } catch (...) {
            // Nothing here throws on a live window; never let a failure
            // replace the one being reported.
        }
        circleChanged_ = colorsChanged_ = cursorSet_ = toolbarHidden_ = false;
    }

    const Window& window_;
    bool toolbarHidden_ = false;
    int toolbarHeight_ = 0;
    bool cursorSet_ = false;
    HCURSOR previousCursor_ = nullptr;
    bool circleChanged_ = false;
    bool circle_ = true;
    bool colorsChanged_ = false;
    TColor titleBack_ = 0;
    TColor titleText_ = 0;
    TColor trailingText_ = 0;
};

void CalendarPrint::Print(const Window& window) {
    // A failure ends up in the error box only once the window is itself again.
    Preparation preparation(window);
    PrinterDocument document(printer_.CreateDc());
    document.Start(PrintDocumentName(window.calendar.Columns()));
    const ClientImage image = PaintClientImage(window.hwnd);
    const PrintedSize size =
        ScaleToPrinter(image.width, image.height, GetDeviceCaps(document.dc(), LOGPIXELSX),
                       GetDeviceCaps(document.dc(), LOGPIXELSY), static_cast<int>(WindowDpi(window.hwnd)));
    const int lines = StretchDIBits(document.dc(), 0, 0, size.width, size.height, 0, 0, image.width, image.height,
                                    image.bits, &image.info, DIB_RGB_COLORS, SRCCOPY);
    if (lines <= 0) {  // none, or GDI_ERROR
        const DWORD error = GetLastError();
        throw SystemError(error ? error : ERROR_WRITE_FAULT);
    }
    document.End();
}

}  // namespace kiv
