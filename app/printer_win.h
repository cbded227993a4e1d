// The printer the calendar goes to: the one chosen in the printer-setup
// dialog, or while none was chosen the system's default printer; and the
// document printed on it.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/handles_win.h"

namespace kiv {

class PrinterChoice {
public:
    // Runs the standard printer-setup dialog; the printer chosen there is
    // the one later prints use.
    void RunSetupDialog(HWND owner);
    // A device context on the chosen printer, or on the default printer.
    // Throws when there is no printer to print on.
    UniqueDc CreateDc() const;
    bool HasChoice() const noexcept { return static_cast<bool>(devNames_); }

private:
    UniqueGlobal devMode_;
    UniqueGlobal devNames_;
};

// One document on a printer's device context, which it owns. Ending it
// hands the job to the spooler; a document still open when its owner goes
// (because an exception passed) is aborted, so nothing half-made is printed.
class PrinterDocument {
public:
    explicit PrinterDocument(UniqueDc printerDc) noexcept : dc_(std::move(printerDc)) {}
    PrinterDocument(const PrinterDocument&) = delete;
    PrinterDocument& operator=(const PrinterDocument&) = delete;
    ~PrinterDocument();

    HDC dc() const noexcept { return dc_.get(); }
    // Starts the document under the name the print queue shows, and its first page.
    void Start(const std::wstring& name);
    // Ends the page and the document.
    void End();

private:
    UniqueDc dc_;
    bool open_ = false;
};

}  // namespace kiv
