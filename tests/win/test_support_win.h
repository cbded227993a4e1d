// Shared pieces of the in-process tests: a clock the test sets, a registry
// root of the test's own, and a record of the message boxes shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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

// Records every message box instead of showing it, answering OK.
class BoxRecorder {
public:
    BoxRecorder() {
        previous_ = SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
            boxes.push_back({text, caption, type});
            return IDOK;
        });
    }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    ~BoxRecorder() { SetMessageBoxHandler(previous_); }
    std::vector<ShownBox> boxes;

private:
    MessageBoxHandler previous_;
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
