// Printing the calendar view: one page with a picture of the window's client
// area, the toolbar left out, on the printer chosen in the setup dialog.
#pragma once

#include <windows.h>

#include <functional>

#include "app/main_toolbar_win.h"
#include "app/printer_win.h"
#include "calendar/year_calendar_win.h"

namespace kiv {

class CalendarPrint {
public:
    // What the print changes for its time, and how the window lays itself
    // out again when the toolbar comes back.
    struct Window {
        HWND hwnd;
        MainToolbar& toolbar;
        TYearCalendar& calendar;
        bool printBackgroundColors;
        std::function<void()> layOut;
    };

    // The printer-setup dialog; its choice is used by the prints after it.
    void RunSetupDialog(HWND owner) { printer_.RunSetupDialog(owner); }
    // Prints the window as it looks prepared for printing, and puts it back
    // whether the print worked or not. Throws what failed.
    void Print(const Window& window);

private:
    class Preparation;
    PrinterChoice printer_;
};

}  // namespace kiv
