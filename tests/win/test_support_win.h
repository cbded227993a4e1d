// Shared pieces of the in-process tests: a clock the test sets, a registry
// root of the test's own, and a record of the message boxes shown.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <string>
#include <vector>

#include "app/clock.h"
#include "settings/settings_texts.h"
#include "widgets/handles_win.h"
#include "widgets/message_box_win.h"

namespace kiv::test {

class FakeClock final : public Clock {
public:
    TDateTime now = EncodeDate(2026, 3, 10) + 0.5;
    bool broken = false;  // reading it throws
    TDateTime Now() const override {
        if (broken) throw std::runtime_error("The clock cannot be read");
        return now;
    }
};

// Points HKEY_CURRENT_USER at an empty throw-away key for the object's lifetime.
class RegistryRedirect {
public:
    // Off, the process keeps the real root.
    explicit RegistryRedirect(bool on = true) {
        if (!on) return;
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
        if (!key_) return;
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        key_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    void PutDword(const wchar_t* name, DWORD value) {
        HKEY h = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, settings_text::kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
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
        hook_.reset(SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId()));
    }
    TopmostRequests(const TopmostRequests&) = delete;
    TopmostRequests& operator=(const TopmostRequests&) = delete;
    ~TopmostRequests() { current_ = nullptr; }
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
    UniqueHook hook_;
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

inline SYSTEMTIME Day(int year, int month, int day) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    return st;
}

inline bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// A client point where the control's hit test reports `what`
// (and, for a day, that day).
inline std::optional<POINT> FindPoint(HWND cal, UINT what, const SYSTEMTIME* day = nullptr) {
    RECT client{};
    GetClientRect(cal, &client);
    for (int y = 1; y < client.bottom; y += 4) {
        for (int x = 1; x < client.right; x += 4) {
            MCHITTESTINFO info{};
            info.cbSize = MCHITTESTINFO_V1_SIZE;
            info.pt = {x, y};
            SendMessageW(cal, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
            if (info.uHit == what && (!day || SameDay(info.st, *day))) return info.pt;
        }
    }
    return std::nullopt;
}

inline void Click(HWND cal, POINT pt) {
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    PostMessageW(cal, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(cal, WM_LBUTTONUP, 0, at);
    Pump();
}

inline SYSTEMTIME FirstVisibleMonth(HWND cal) {
    SYSTEMTIME range[2] = {};
    SendMessageW(cal, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range));
    return range[0];
}

inline int MonthIndex(const SYSTEMTIME& st) { return st.wYear * 12 + st.wMonth - 1; }

// The months the control really shows, as "2026-07..2027-06".
inline std::string ShownMonths(HWND cal) {
    SYSTEMTIME range[2] = {};
    SendMessageW(cal, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d..%04d-%02d", range[0].wYear, range[0].wMonth, range[1].wYear,
                  range[1].wMonth);
    return text;
}

}  // namespace kiv::test
