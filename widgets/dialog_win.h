// Base class binding a C++ object to a dialog box. The object is bound at
// WM_INITDIALOG, the procedure never lets an exception reach user32, and
// WM_NOTIFY results go back through DWLP_MSGRESULT.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "widgets/handles_win.h"

namespace kiv {

class DialogTemplate;

class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    HWND hwnd() const noexcept { return hwnd_; }
    HWND owner() const noexcept { return owner_; }

    // Shows the dialog modally over owner (which is disabled meanwhile) and
    // returns the result it ended with. The dialog starts as an empty frame
    // of the given style and caption; onInitDialog builds the rest.
    INT_PTR runModal(HWND owner, DWORD style, const std::wstring& caption);
    // The same for a dialog made from a template with its controls.
    INT_PTR runModal(HWND owner, const DialogTemplate& frame);
    // Ends a modal run with the result.
    void end(INT_PTR result) noexcept;

protected:
    // Returns true to let the system focus the first control.
    virtual bool onInitDialog() { return true; }
    // Handlers return nullopt for messages they leave to the dialog manager.
    virtual std::optional<INT_PTR> onMessage(UINT msg, WPARAM wp, LPARAM lp);
    virtual void onCommand(WORD id, WORD code, HWND control);
    // The result of a notification; nullopt lets the default take it.
    virtual std::optional<LRESULT> onNotify(const NMHDR& header);

    // The DPI the dialog is laid out for: its owner's, or its own when it has none.
    UINT layoutDpi() const noexcept;
    // Gives the dialog a client area of that size, centred on the work area
    // of its owner's monitor (or its own), or at the place the system
    // suggests when the dialog moved to a monitor of another DPI.
    void placeClient(int width, int height, const RECT* suggested);

private:
    static INT_PTR CALLBACK procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    INT_PTR dispatch(UINT msg, WPARAM wp, LPARAM lp);
    // Over a hidden owner, or with none, the dialog stands for the program on
    // the taskbar: it gets its own button, with the program's icon.
    void standForTheProgram();

    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};

}  // namespace kiv
