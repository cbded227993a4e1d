// An HTML file shown in a window of its own that holds nothing but the
// system's web-browser control. One such window exists at a time.
#pragma once

#include <windows.h>

#include <string>

#include "help/browser_host_win.h"
#include "widgets/handles_win.h"
#include "widgets/window_win.h"

namespace kiv {

// Shows the file in the help window: modally (returning when it closes) or
// modeless (returning at once). A missing file gets an error box naming it;
// an open window is brought forward instead of a second one. Where the
// browser control cannot be made, the file goes to the system's default
// handler for its type. `icon` may be null; the window keeps a copy.
void ShowHtmlFile(const std::wstring& caption, const std::wstring& fileName, HWND owner, HICON icon, bool modeless);

class TfShowHtml final : public Window {
public:
    static constexpr const wchar_t* kClassName = L"TfShowHtml";

    TfShowHtml() = default;
    ~TfShowHtml() override;

    // Creates the hidden, sizeable window (maximise but no minimise box)
    // with its browser control. A modeless window has no owner window.
    void Create(HWND owner, bool modeless);
    void SetCaption(const std::wstring& caption);
    void SetIcon(HICON icon);
    // 80 % x 70 % of the monitor it is on, centred there.
    void PlaceOnMonitor();
    void Navigate(const std::wstring& fileName) noexcept { browser_.Navigate(fileName); }
    void Show();
    // Shows the window with its owner disabled and returns when it closes.
    void ShowModal();

    // The key preview: Esc closes the window; other keys are offered to the
    // browser control first. True when the message was used up.
    bool PreviewMessage(MSG& msg) noexcept;

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onDestroyed() override;

private:
    void FormKeyPress(wchar_t key);

    OleSession ole_;  // outlives the control
    BrowserHost browser_;
    UniqueIcon icon_;
    UniqueHook keyPreview_;
    bool modeless_ = false;
    bool modalDone_ = false;
};

}  // namespace kiv
