#include "trayicon/notify_icon_win.h"

#include <cwchar>
#include <system_error>
#include <utility>

#include "trayicon/notify_icon_rules.h"
#include "widgets/application_win.h"

namespace kiv {
namespace {

constexpr wchar_t kMsgWindowClass[] = L"TMsgWindow";

TrayShell& Shell() {
    static TrayShell calls;
    return calls;
}

// The running system's version, read once: the size of the record the
// shell is given and the length of the tooltip it shows follow it.
struct SystemVersion {
    unsigned major = 0, minor = 0;
};

SystemVersion RunningVersion() noexcept {
    static const SystemVersion version = [] {
        // GetVersionEx answers with the version the manifest claims to
        // know; RtlGetVersion tells the truth.
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        const auto get = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (!get || get(&info) != 0) return SystemVersion{6, 1};
        return SystemVersion{info.dwMajorVersion, info.dwMinorVersion};
    }();
    return version;
}

DWORD NotifyIconDataSize() noexcept {
    const SystemVersion v = RunningVersion();
    switch (NotifyIconDataLayoutFor(v.major, v.minor)) {
        case NotifyIconDataLayout::Version1: return NOTIFYICONDATAW_V1_SIZE;
        case NotifyIconDataLayout::Version2: return NOTIFYICONDATAW_V2_SIZE;
        case NotifyIconDataLayout::Full: break;
    }
    return sizeof(NOTIFYICONDATAW);
}

BOOL CallShell(DWORD message, NOTIFYICONDATAW& data) {
    return Shell().notifyIcon ? Shell().notifyIcon(message, &data) : Shell_NotifyIconW(message, &data);
}

void Beep(UINT type) {
    if (Shell().beep)
        Shell().beep(type);
    else
        MessageBeep(type);
}

}  // namespace

// --- TMsgWindow ---

TMsgWindow::~TMsgWindow() {
    owner_ = nullptr;
    destroy();
}

void TMsgWindow::CreateHandle(HWND parent) {
    registerClass(kMsgWindowClass);
    parent_ = parent;
    HWND h = create(kMsgWindowClass, L"", parent ? WS_CHILD : 0, 0, 0, 0, 0, 0, parent, nullptr);
    if (owner_) owner_->SetCallbackWindow(h);
}

void TMsgWindow::RecreateWnd() {
    destroy();
    CreateHandle(parent_);
}

std::optional<LRESULT> TMsgWindow::onMessage(UINT msg, WPARAM, LPARAM lp) {
    if (!owner_) return std::nullopt;
    if (msg == kCallbackMessage) return owner_->HandleCallback(lp);
    // While the handle still works: the shell must not keep an icon whose
    // window is gone.
    if (msg == WM_DESTROY) owner_->CallbackWindowGone();
    return std::nullopt;
}

// --- TNotifyIcon ---

unsigned ShellMajorVersion() noexcept { return RunningVersion().major; }

TNotifyIcon::TNotifyIcon() : msgWindow_(*this) {
    iconData_.cbSize = NotifyIconDataSize();
    iconData_.uID = 0;
    iconData_.uCallbackMessage = TMsgWindow::kCallbackMessage;
}

TNotifyIcon::~TNotifyIcon() {
    if (Shown()) DeleteIcon();
    // The window goes with the member; it has nobody to report to any more.
    msgWindow_.owner_ = nullptr;
}

void TNotifyIcon::Create(HWND parent) { msgWindow_.CreateHandle(parent); }

void TNotifyIcon::Loaded() {
    if (!loading_) return;
    loading_ = false;
    if (visible_) AddIcon();
}

void TNotifyIcon::SetVisible(bool value) {
    if (value == visible_) return;
    if (!loading_) {
        if (visible_)
            DeleteIcon();
        else
            AddIcon();
    }
    visible_ = value;
}

void TNotifyIcon::SetIcon(HICON value) {
    UniqueIcon copy;
    if (value) {
        copy.reset(CopyIcon(value));
        if (!copy) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CopyIcon");
    }
    SetIcon(std::move(copy));
}

void TNotifyIcon::SetIcon(UniqueIcon value) {
    // The shell has its own copy: the old one may go once the new one is there.
    UniqueIcon old = std::exchange(icon_, std::move(value));
    if (Shown()) ModifyIcon();
}

void TNotifyIcon::SetToolTip(std::wstring value) {
    toolTip_ = std::move(value);
    if (Shown()) ModifyIcon();
}

void TNotifyIcon::ShellRestarted() {
    if (!Shown()) return;
    // Some shells send the message without having lost the icon.
    if (!AddIcon()) ModifyIcon();
}

bool TNotifyIcon::Send(DWORD message, UINT flags) {
    if (!iconData_.hWnd) return false;
    iconData_.uFlags = flags;
    iconData_.hIcon = icon_.get();
    const std::wstring tip = ClipToolTip(toolTip_, RunningVersion().major);
    std::wmemset(iconData_.szTip, L'\0', sizeof iconData_.szTip / sizeof iconData_.szTip[0]);
    std::wmemcpy(iconData_.szTip, tip.data(), tip.size());
    return CallShell(message, iconData_) != FALSE;
}

bool TNotifyIcon::AddIcon() { return Send(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP); }

bool TNotifyIcon::ModifyIcon() { return Send(NIM_MODIFY, NIF_ICON | NIF_TIP); }

bool TNotifyIcon::DeleteIcon() { return iconData_.hWnd && CallShell(NIM_DELETE, iconData_) != FALSE; }

void TNotifyIcon::SetCallbackWindow(HWND handle) {
    if (Shown() && iconData_.hWnd) DeleteIcon();
    iconData_.hWnd = handle;
    if (Shown()) AddIcon();
}

void TNotifyIcon::CallbackWindowGone() {
    if (Shown()) DeleteIcon();
    iconData_.hWnd = nullptr;
}

std::optional<LRESULT> TNotifyIcon::HandleCallback(LPARAM lp) {
    const void* sender = &msgWindow_;
    const auto raise = [sender](const TNotifyEvent& event) {
        if (event) event(sender);
    };
    switch (ClassifyTrayCallback(lp)) {
        case TrayCallback::PassOn: return std::nullopt;
        case TrayCallback::MouseMove: raise(OnMouseMove); break;
        case TrayCallback::Click: raise(OnClick); break;
        case TrayCallback::DblClick: raise(OnDblClick); break;
        case TrayCallback::PopupMenu: ShowPopupMenu(); break;
        case TrayCallback::BalloonShow: raise(OnBalloonShow); break;
        case TrayCallback::BalloonHide: raise(OnBalloonHide); break;
        case TrayCallback::BalloonTimeout: raise(OnBalloonTimeout); break;
        case TrayCallback::BalloonClick: raise(OnBalloonClick); break;
    }
    return 0;
}

void TNotifyIcon::ShowPopupMenu() {
    POINT at{};
    GetCursorPos(&at);
    if (OnRightClick) OnRightClick(this);
    if (PopupMenu) {
        // The menu closes on a click elsewhere only when its window is the
        // foreground window, and only a top-level window can be that: the
        // message window's own is the main window.
        HWND foreground = GetAncestor(msgWindow_.hwnd(), GA_ROOT);
        SetForegroundWindow(foreground);
        Application::instance().processMessages();
        PopupMenu->PopupComponent = this;
        PopupMenu->Popup(at.x, at.y, foreground);
    } else if (RightClickBeepOnNoMenu) {
        Beep(0);
    }
}

UINT TaskbarCreatedMessage() noexcept {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayShell SetTrayShell(TrayShell calls) { return std::exchange(Shell(), std::move(calls)); }

}  // namespace kiv
