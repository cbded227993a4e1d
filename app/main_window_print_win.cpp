// The print commands of the main window.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/topmost_pause_win.h"
#include "widgets/message_box_win.h"

namespace kiv {

void TfMain_calendar::mnPrintSetupClick() {
    TopmostPause pause(*this);
    print_.RunSetupDialog(hwnd());
}

void TfMain_calendar::mnPrintClick() {
    if (ShowMessageBox(hwnd(), texts::kPrintQuestion, texts::kPrintCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // Out of the topmost band for the print, and back into it last.
    TopmostPause topmost(*this);
    print_.Print({hwnd(), toolbar_, calendar_, state_.Settings.PrintBackgroundColors, [this] { LayoutChildren(); }});
}

}  // namespace kiv
