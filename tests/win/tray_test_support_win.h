// Shared pieces of the tray tests: a record of the calls the icon makes to
// the shell, and a question to the shell whether it holds an icon.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "trayicon/notify_icon_win.h"

namespace kiv::test {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
    std::wstring tip() const { return data.szTip; }
};

// Records every Shell_NotifyIcon call and every beep; the calls reach the
// real shell only when asked to.
class ShellRecorder {
public:
    explicit ShellRecorder(bool passOn = false, bool keep = true) {
        previous_ = SetTrayShell({[this, passOn, keep](DWORD message, NOTIFYICONDATAW* data) {
                                      ++count;
                                      if (keep) calls.push_back({message, *data});
                                      return passOn ? Shell_NotifyIconW(message, data) : TRUE;
                                  },
                                  [this](UINT type) { beeps.push_back(type); }});
    }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;
    ~ShellRecorder() { SetTrayShell(previous_); }

    int Count(DWORD message) const {
        int n = 0;
        for (const ShellCall& c : calls) n += c.message == message;
        return n;
    }

    std::vector<ShellCall> calls;
    std::vector<UINT> beeps;
    long long count = 0;

private:
    TrayShell previous_;
};

// Whether the shell knows an icon of that window: only then does it accept
// a change to it.
inline bool ShellHasIcon(HWND window, UINT id = 0) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace kiv::test
