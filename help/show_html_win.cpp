#include "help/show_html_win.h"

#include <shellapi.h>

#include <memory>

#include "help/help_texts.h"
#include "help/show_html.h"
#include "resources/resource_ids.h"
#include "widgets/message_box_win.h"
#include "widgets/system_error_win.h"

namespace kiv {
namespace {

// The one open help window, whether the last call asked for a modeless one,
// and the owner it passed.
TfShowHtml* HelpWindow = nullptr;
bool HelpModeless = false;
HWND HelpOwner = nullptr;

// The size it is made at, before it is placed on its monitor.
constexpr int kDesignWidth = 632;
constexpr int kDesignHeight = 453;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;

LRESULT CALLBACK KeyPreviewHook(int code, WPARAM wp, LPARAM lp) noexcept {
    if (code == HC_ACTION && wp == PM_REMOVE && HelpWindow) {
        auto* msg = reinterpret_cast<MSG*>(lp);
        if (HelpWindow->PreviewMessage(*msg)) msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void OpenWithDefaultHandler(HWND owner, const std::wstring& fileName) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = fileName.c_str();
    info.nShow = SW_SHOWNORMAL;
    OleSession com;
    if (!ShellExecuteExW(&info)) throw SystemError(GetLastError() ? GetLastError() : ERROR_NO_ASSOCIATION);
}

}  // namespace

TfShowHtml::~TfShowHtml() {
    // The control goes while its window is still there, then the window.
    browser_.Close();
    destroy();
}

void TfShowHtml::Create(HWND owner, bool modeless) {
    modeless_ = modeless;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KIV_CALENDAR), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    registerClass(kClassName, 0, GetSysColorBrush(COLOR_WINDOW), icon, icon);
    create(kClassName, L"fShowHtml", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT, kDesignWidth, kDesignHeight,
           modeless ? nullptr : owner, nullptr);
    keyPreview_.reset(SetWindowsHookExW(WH_GETMESSAGE, &KeyPreviewHook, nullptr, GetCurrentThreadId()));
    browser_.Create(hwnd());
}

void TfShowHtml::SetCaption(const std::wstring& caption) { SetWindowTextW(hwnd(), caption.c_str()); }

void TfShowHtml::SetIcon(HICON icon) {
    UniqueIcon copy(CopyIcon(icon));
    if (!copy) return;  // the window keeps its own icon
    icon_ = std::move(copy);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
}

void TfShowHtml::PlaceOnMonitor() {
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd(), MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& monitor = info.rcMonitor;
    const int monitorWidth = monitor.right - monitor.left;
    const int monitorHeight = monitor.bottom - monitor.top;
    const HtmlWindowSize size = HtmlWindowSizeFor(monitorWidth, monitorHeight);
    SetWindowPos(hwnd(), nullptr, monitor.left + (monitorWidth - size.width) / 2,
                 monitor.top + (monitorHeight - size.height) / 2, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfShowHtml::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void TfShowHtml::ShowModal() {
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    modalDone_ = false;
    Show();
    MSG msg{};
    while (hwnd() && !modalDone_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the loop above us gets its quit message back.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The owner comes back before the window goes, so it takes the activation.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void TfShowHtml::FormKeyPress(wchar_t key) {
    if (key != VK_ESCAPE) return;
    if (modeless_)
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    else
        modalDone_ = true;
}

bool TfShowHtml::PreviewMessage(MSG& msg) noexcept {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !hwnd()) return false;
    if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        FormKeyPress(VK_ESCAPE);
        return true;
    }
    return browser_.PreTranslateKey(msg);
}

std::optional<LRESULT> TfShowHtml::onMessage(UINT msg, WPARAM, LPARAM) {
    switch (msg) {
        case WM_SIZE:
            browser_.Resize();
            return 0;
        case WM_CLOSE:
            // A closed help window is freed, modal or not; a modal one first
            // ends its loop and is freed by whoever showed it.
            if (modeless_) {
                browser_.Close();
                destroy();
            } else {
                modalDone_ = true;
            }
            return 0;
        case WM_DESTROY:  // FormDestroy
            browser_.Close();
            keyPreview_.reset();
            if (HelpWindow == this) HelpWindow = nullptr;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void TfShowHtml::onDestroyed() {
    // A modeless window owns itself.
    if (modeless_) delete this;
}

void ShowHtmlFile(const std::wstring& caption, const std::wstring& fileName, HWND owner, HICON icon, bool modeless) {
    const DWORD attributes = GetFileAttributesW(fileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowMessageBox(owner ? owner : GetActiveWindow(), MissingFileMessage(fileName), help_text::kErrorCaption,
                       MB_OK | MB_ICONERROR);
        return;
    }
    HelpModeless = modeless;
    HelpOwner = owner;
    if (HelpWindow) {
        SetForegroundWindow(HelpWindow->hwnd());
        return;
    }

    auto window = std::make_unique<TfShowHtml>();
    bool built = false;
    try {
        HelpWindow = window.get();
        window->Create(HelpModeless ? nullptr : HelpOwner, HelpModeless);
        window->SetCaption(caption);
        if (icon) window->SetIcon(icon);
        window->PlaceOnMonitor();
        window->Navigate(fileName);
        built = true;
        if (HelpModeless) {
            window->Show();
            static_cast<void>(window.release());  // freed when it closes
            return;
        }
        window->ShowModal();
    } catch (...) {
        // Help that never appeared is handed to the system; what goes wrong
        // once the window was built is reported as any other error.
        window.reset();
        HelpWindow = nullptr;
        if (built)
            ReportCurrentException();
        else
            OpenWithDefaultHandler(owner, fileName);
        return;
    }
    window.reset();
}

}  // namespace kiv
