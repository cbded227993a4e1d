// Printing the calendar view: one page with a picture of the window's client
// area, the toolbar left out, on the printer chosen in the setup dialog.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/print_layout.h"
#include "widgets/client_image_win.h"
#include "widgets/message_box_win.h"
#include "widgets/system_error_win.h"

namespace kiv {

// The window as it is printed: not topmost, no toolbar, the hourglass, no
// circle round today and, unless background colours are printed, month
// titles as plain text and no days of neighbouring months. Each change is
// noted as it is made, and what was changed is undone in a fixed order when
// the print ends, whether it worked or not.
class TfMain_calendar::PrintPreparation {
public:
    explicit PrintPreparation(TfMain_calendar& window) : window_(window), topmost_(window) {
        try {
            if (window_.toolbar_.Visible()) {
                toolbarHeight_ = window_.toolbar_.Height();
                window_.toolbar_.SetVisible(false);
                toolbarHidden_ = true;
                GrowBy(-toolbarHeight_);
            }
            previousCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            cursorSet_ = true;
            TMonthCalendar& calendar = window_.calendar_;
            circle_ = calendar.ShowTodayCircle();
            calendar.SetShowTodayCircle(false);
            circleChanged_ = true;
            TMonthCalColors& colors = calendar.CalColors();
            titleBack_ = colors.TitleBackColor();
            titleText_ = colors.TitleTextColor();
            trailingText_ = colors.TrailingTextColor();
            if (!window_.Settings.PrintBackgroundColors) {
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
    PrintPreparation(const PrintPreparation&) = delete;
    PrintPreparation& operator=(const PrintPreparation&) = delete;
    ~PrintPreparation() { Restore(); }

private:
    void GrowBy(int pixels) {
        RECT rc{};
        GetWindowRect(window_.hwnd(), &rc);
        SetWindowPos(window_.hwnd(), nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top + pixels,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void Restore() noexcept {
        try {
            TMonthCalendar& calendar = window_.calendar_;
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
                window_.toolbar_.SetVisible(true);
                window_.LayoutChildren();
            }
        } catch (...) {
            // Nothing here throws on a live window; never let a failure
            // replace the one being reported.
        }
        circleChanged_ = colorsChanged_ = cursorSet_ = toolbarHidden_ = false;
    }

    TfMain_calendar& window_;
    TopmostPause topmost_;  // the window goes back into the topmost band last
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

void TfMain_calendar::mnPrintSetupClick() {
    TopmostPause pause(*this);
    printer_.RunSetupDialog(hwnd());
}

void TfMain_calendar::mnPrintClick() {
    if (ShowMessageBox(hwnd(), texts::kPrintQuestion, texts::kPrintCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // A failure ends up in the error box only once the window is itself again.
    PrintPreparation preparation(*this);
    PrinterDocument document(printer_.CreateDc());
    document.Start(PrintDocumentName(calendar_.Columns()));
    const ClientImage image = PaintClientImage(hwnd());
    const PrintedSize size =
        ScaleToPrinter(image.width, image.height, GetDeviceCaps(document.dc(), LOGPIXELSX),
                       GetDeviceCaps(document.dc(), LOGPIXELSY), static_cast<int>(WindowDpi(hwnd())));
    const int lines = StretchDIBits(document.dc(), 0, 0, size.width, size.height, 0, 0, image.width, image.height,
                                    image.bits, &image.info, DIB_RGB_COLORS, SRCCOPY);
    if (lines <= 0) {  // none, or GDI_ERROR
        const DWORD error = GetLastError();
        throw SystemError(error ? error : ERROR_WRITE_FAULT);
    }
    document.End();
}

}  // namespace kiv
