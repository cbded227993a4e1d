#include "widgets/application_win.h"

#include "widgets/error_text.h"
#include "widgets/message_box_win.h"
#include "widgets/window_win.h"

namespace kiv {

Application& Application::instance() {
    static Application app;
    return app;
}

bool Application::dispatch(MSG& msg) {
    if (msg.message == WM_QUIT) return false;
    if (accelerators_ && acceleratorWindow_ &&
        (msg.hwnd == acceleratorWindow_ || IsChild(acceleratorWindow_, msg.hwnd)) &&
        !(shortcutFilter_ && shortcutFilter_(msg)) && TranslateAcceleratorW(acceleratorWindow_, accelerators_, &msg)) {
        return true;
    }
    if (navigation_ && navigation_(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void Application::runIdle() noexcept {
    if (!idle_) return;
    Guarded([this] {
        auto handler = idle_;  // the handler may remove itself
        handler();
    });
}

void Application::terminate() noexcept {
    if (end_) Guarded([this] { end_(); });
    PostQuitMessage(0);
}

int Application::run() {
    MSG msg{};
    for (;;) {
        // Only an idle handler needs to know when the queue runs dry; without
        // one, each message would cost an extra look at an empty queue.
        while (idle_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!dispatch(msg)) return static_cast<int>(msg.wParam);
        }
        runIdle();
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) return got == 0 ? static_cast<int>(msg.wParam) : 1;
        dispatch(msg);
    }
}

void Application::processMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
    runIdle();
}

std::wstring Widen(const char* utf8) {
    if (!utf8 || !*utf8) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

void Application::showException(const std::exception& e) noexcept {
    try {
        ShowMessageBox(GetActiveWindow(), WithFullStop(Widen(e.what())), title_, MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

void Application::showUnknownException() noexcept {
    try {
        ShowMessageBox(GetActiveWindow(), WithFullStop(L"Unknown error"), title_, MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

}  // namespace kiv
