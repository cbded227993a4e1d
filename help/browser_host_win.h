// The system's web-browser control placed in a window of ours. The control
// is an OLE object; being its container means offering it a client site, an
// in-place site and an in-place frame, which are written here.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <exdisp.h>
#include <wrl/client.h>

#include <stdexcept>
#include <string>

namespace kiv {

// The system could not make or place the browser control.
class BrowserUnavailable : public std::runtime_error {
public:
    explicit BrowserUnavailable(HRESULT result);
    HRESULT result() const noexcept { return result_; }

private:
    HRESULT result_;
};

// OLE on this thread for the object's lifetime (when the thread allows it).
class OleSession {
public:
    OleSession() noexcept : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }

private:
    bool initialised_;
};

class BrowserHost {
public:
    // Out of line: the site's class is known only there.
    BrowserHost();
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;
    ~BrowserHost();

    // Creates the control over the whole client area of `window` (which must
    // live until Close). Throws BrowserUnavailable. COM must be initialised
    // for OLE on this thread.
    void Create(HWND window);
    bool Created() const noexcept { return browser_ != nullptr; }
    // Shows a file, given by its full path; whether it loads is the control's affair.
    void Navigate(const std::wstring& path) noexcept;
    // Fits the control to the window's client area.
    void Resize() noexcept;
    // Offers a keyboard message to the control (Tab, arrows, Ctrl+C ...);
    // true when the control used it.
    bool PreTranslateKey(MSG& msg) noexcept;
    // Takes the control out of the window and lets it go.
    void Close() noexcept;

private:
    class Site;
    HWND window_ = nullptr;
    Microsoft::WRL::ComPtr<Site> site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
};

}  // namespace kiv
