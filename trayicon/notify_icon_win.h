// The notification-area icon: one icon with a tooltip in the taskbar's
// notification area, the shell's mouse callbacks for it turned into events,
// and a shortcut menu on a right click.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "widgets/handles_win.h"
#include "widgets/popup_menu_win.h"
#include "widgets/window_win.h"

namespace kiv {

class TNotifyIcon;

// An event with the object that raised it: the message window for the
// mouse and balloon events, the icon component for OnRightClick.
using TNotifyEvent = std::function<void(const void* sender)>;

// The hidden zero-size child window that the shell sends the icon's
// callback message to.
class TMsgWindow final : public Window {
public:
    static constexpr UINT kCallbackMessage = WM_USER + 1;

    explicit TMsgWindow(TNotifyIcon& owner) noexcept : owner_(&owner) {}
    ~TMsgWindow() override;

    // Creates the window under parent and moves the icon to it.
    void CreateHandle(HWND parent);
    // Destroys the window and creates it again under the same parent.
    void RecreateWnd();

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class TNotifyIcon;
    TNotifyIcon* owner_;
    HWND parent_ = nullptr;
};

// The major version of the running system, which sets how long a tooltip
// the shell shows (see ToolTipLimit).
unsigned ShellMajorVersion() noexcept;

class TNotifyIcon {
public:
    TNotifyIcon();
    ~TNotifyIcon();
    TNotifyIcon(const TNotifyIcon&) = delete;
    TNotifyIcon& operator=(const TNotifyIcon&) = delete;

    // Creates the message window as a child of parent. Until Loaded() the
    // properties are only stored, as while a form is being read.
    void Create(HWND parent);
    // Ends loading: a visible icon is added now, once.
    void Loaded();

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    HICON Icon() const noexcept { return icon_.get(); }
    // Keeps a copy of the icon; the caller's handle stays the caller's.
    void SetIcon(HICON value);
    // Takes over an icon made for it, sparing the copy.
    void SetIcon(UniqueIcon value);
    const std::wstring& ToolTip() const noexcept { return toolTip_; }
    void SetToolTip(std::wstring value);

    TPopupMenu* PopupMenu = nullptr;  // not owned
    bool RightClickBeepOnNoMenu = false;
    TNotifyEvent OnClick;
    TNotifyEvent OnRightClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseMove;
    TNotifyEvent OnBalloonShow;
    TNotifyEvent OnBalloonHide;
    TNotifyEvent OnBalloonTimeout;
    TNotifyEvent OnBalloonClick;

    // The shell's notification area was created afresh (Explorer restarted)
    // and has forgotten the icon: a visible one is put back.
    void ShellRestarted();

    TMsgWindow& MsgWindow() noexcept { return msgWindow_; }
    const NOTIFYICONDATAW& IconData() const noexcept { return iconData_; }

private:
    friend class TMsgWindow;
    bool Shown() const noexcept { return visible_ && !loading_; }
    bool AddIcon();
    bool ModifyIcon();
    bool DeleteIcon();
    bool Send(DWORD message, UINT flags);
    void SetCallbackWindow(HWND handle);
    void CallbackWindowGone();
    std::optional<LRESULT> HandleCallback(LPARAM lp);
    void ShowPopupMenu();

    bool visible_ = false;
    bool loading_ = true;
    UniqueIcon icon_;
    std::wstring toolTip_;
    NOTIFYICONDATAW iconData_{};
    TMsgWindow msgWindow_;
};

// The registered message the shell broadcasts to top-level windows when
// its taskbar has been created again.
UINT TaskbarCreatedMessage() noexcept;

// The calls the icon makes to the system, behind a seam so that tests can
// count them and need no speaker.
struct TrayShell {
    std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)> notifyIcon;
    std::function<void(UINT type)> beep;
};

// Installs replacements (an empty member means the system's own call) and
// returns the previous ones.
TrayShell SetTrayShell(TrayShell calls);

}  // namespace kiv
