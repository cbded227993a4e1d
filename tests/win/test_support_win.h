// Shared pieces of the in-process tests: a clock the test sets, a registry
// root of the test's own, and a record of the message boxes shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "app/clock.h"
#include "widgets/handles_win.h"
#include "widgets/message_box_win.h"

namespace kiv::test {

class FakeClock final : public Clock {
public:
    TDateTime now = EncodeDate(2026, 3, 10) + 0.5;
    TDateTime Now() const override { return now; }
};

// Points HKEY_CURRENT_USER at an empty throw-away key for the object's lifetime.
class RegistryRedirect {
public:
    RegistryRedirect() {
        path_ = L"Software\\KivTests\\window-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64());
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        key_.reset(key);
        EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    }
    RegistryRedirect(const RegistryRedirect&) = delete;
    RegistryRedirect& operator=(const RegistryRedirect&) = delete;
    ~RegistryRedirect() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        key_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    void PutDword(const wchar_t* name, DWORD value) {
        HKEY h = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kiv Soft\\Calendar", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &h, nullptr);
        UniqueRegKey owner(h);
        RegSetValueExW(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

private:
    std::wstring path_;
    UniqueRegKey key_;
};

struct ShownBox {
    std::wstring text, caption;
    UINT type = 0;
};

// Records every message box instead of showing it, answering OK, or what
// `answers` gives for its caption.
class BoxRecorder {
public:
    BoxRecorder() {
        previous_ = SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
            boxes.push_back({text, caption, type});
            const auto answer = answers.find(caption);
            return answer == answers.end() ? IDOK : answer->second;
        });
    }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    ~BoxRecorder() { SetMessageBoxHandler(previous_); }
    std::vector<ShownBox> boxes;
    std::map<std::wstring, int> answers;

private:
    MessageBoxHandler previous_;
};

// The topmost-band requests a window makes (SetWindowPos with HWND_TOPMOST
// or HWND_NOTOPMOST), in order: Wine does not always show the result in the
// window's extended style, but it passes the request on.
class TopmostRequests {
public:
    explicit TopmostRequests(HWND window) : window_(window) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId());
    }
    TopmostRequests(const TopmostRequests&) = delete;
    TopmostRequests& operator=(const TopmostRequests&) = delete;
    ~TopmostRequests() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    // true for a raise, false for a lowering
    std::vector<bool> requests;
    bool lastWasRaise() const { return !requests.empty() && requests.back(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && current_ && call->message == WM_WINDOWPOSCHANGING && call->hwnd == current_->window_) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
            if (!(pos->flags & SWP_NOZORDER) && (pos->hwndInsertAfter == HWND_TOPMOST || pos->hwndInsertAfter == HWND_NOTOPMOST))
                current_->requests.push_back(pos->hwndInsertAfter == HWND_TOPMOST);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline TopmostRequests* current_ = nullptr;
    HWND window_;
    HHOOK hook_ = nullptr;
};

// Runs an action on the first visible window of a class that this thread
// shows while the object lives, from a timer of the thread: the action runs
// inside whatever modal loop shows the window. Once only.
class WhenWindowShows {
public:
    WhenWindowShows(const wchar_t* className, std::function<void(HWND)> action)
        : className_(className), action_(std::move(action)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &Tick);
    }
    WhenWindowShows(const WhenWindowShows&) = delete;
    WhenWindowShows& operator=(const WhenWindowShows&) = delete;
    ~WhenWindowShows() {
        if (timer_) KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool ran = false;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhenWindowShows* self = current_;
        if (!self || self->ran) return;
        struct Search {
            const wchar_t* className;
            HWND found;
        } search{self->className_, nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                wchar_t name[64] = {};
                GetClassNameW(hwnd, name, 64);
                if (lstrcmpW(name, s->className) != 0 || !IsWindowVisible(hwnd)) return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) return;
        self->ran = true;
        KillTimer(nullptr, std::exchange(self->timer_, 0));
        self->action_(search.found);
    }
    static inline WhenWindowShows* current_ = nullptr;
    const wchar_t* className_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
};

inline bool RunningOnWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Runs the queued messages of this thread.
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace kiv::test
