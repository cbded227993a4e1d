// Drives KivCalendar.exe from outside as a user would: starts copies of it,
// finds their main windows, sends them window messages and types keys.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace kiv::e2e {

inline constexpr wchar_t kMainWindowClass[] = L"TfMain_calendar";
inline constexpr wchar_t kInstanceMutex[] = L"Kiv Calendar - Kiv";

// The folder of the running executable, ending in a backslash.
std::wstring ExecutableFolder();

// UTF-8 for test messages.
std::string Narrow(const std::wstring& text);

// Polls until the condition holds; false when the time ran out first.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// Returns once the window's thread has taken what was typed or posted to it
// before the call, and what that posted in turn: a thread answers a sent
// message only when it next asks for a message, so three answers in a row
// mean three rounds of its queue. False when it stopped answering (its loop
// ended, or the window is gone).
bool Settle(HWND window);

// The top-level window of that class owned by the process, visible or not
// (or only a visible one).
HWND FindProcessWindow(DWORD processId, const wchar_t* className, bool visibleOnly = false);

// The first visible child window of that class (any letter case) that the
// test accepts.
HWND FindVisibleChild(HWND parent, const wchar_t* className, const std::function<bool(HWND)>& accept = {});

// How a key combination reached the program's window.
enum class KeyRoute {
    Input,          // SendInput into the focused window
    PostedMessage,  // WM_SYSKEYDOWN / WM_SYSKEYUP posted to the focused window
};

// Makes the window the foreground window; false if the system refused.
bool BringToForeground(HWND window);

// Types Alt+key into the window as the user would: makes it the foreground
// window and sends the keys with SendInput. Keyboard input only reaches the
// foreground window, so if the system refuses to bring it forward the key
// messages are posted to the window that has the keyboard focus instead.
KeyRoute TypeAltKey(HWND window, WORD virtualKey);
// The same for any modifiers, pressed in order and released in reverse.
KeyRoute TypeKeys(HWND window, std::initializer_list<WORD> modifiers, WORD virtualKey);

// Types the keys one after another, each as above, so that each goes to
// whichever window has the focus by then.
KeyRoute TypeSequence(HWND window, std::initializer_list<WORD> virtualKeys);

// Clicks the middle of a control with the left button: SendInput when the
// window is in front, else posted button messages.
KeyRoute ClickWindow(HWND control);

// The window of the program that has the keyboard focus, or nullptr.
HWND FocusedWindow(HWND window);

// Wine under a bare X server: xdotool acts on the X display as the user's
// mouse and keyboard would. True when it started: Wine hands back no handle
// that a program of the host can be waited on with, so the caller waits for
// what it does.
bool HaveXdotool();
bool Xdotool(const std::string& arguments);

// A dialog box (a message box, say) of the process with that caption, once it shows.
HWND WaitForDialog(DWORD processId, const wchar_t* caption, std::chrono::milliseconds timeout);

// The texts of a dialog's static controls, one per line.
std::wstring DialogText(HWND dialog);

// A plain window of the test's own, shown and made the foreground window, so
// that a test can see the program's window come forward over another one.
// Its own thread answers the messages that activation sends it.
class ForegroundDecoy {
public:
    ForegroundDecoy();
    ~ForegroundDecoy();
    ForegroundDecoy(const ForegroundDecoy&) = delete;
    ForegroundDecoy& operator=(const ForegroundDecoy&) = delete;

    HWND hwnd() const { return window_; }

private:
    void run(HANDLE ready);

    std::thread thread_;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

class ProgramDriver {
public:
    explicit ProgramDriver(std::wstring executable);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    const std::wstring& executable() const { return executable_; }

    // Starts a copy with the given command-line arguments; returns its process id.
    DWORD start(const std::wstring& arguments = {});

    // Waits for the copy's main window, whether shown or hidden.
    HWND waitForWindow(DWORD processId, std::chrono::milliseconds timeout) const;
    bool isRunning(DWORD processId) const;
    // False if the copy was still running when the time ran out.
    bool waitForExit(DWORD processId, std::chrono::milliseconds timeout, DWORD* exitCode = nullptr) const;

    // Processes running from the program's file, started here or not.
    int runningCopies() const;

    // Ends every copy started here and waits until they are gone.
    void endAll() noexcept;

private:
    struct Copy {
        DWORD id;
        HANDLE process;
    };
    HANDLE processHandle(DWORD processId) const;

    std::wstring executable_;
    std::vector<Copy> copies_;
};

}  // namespace kiv::e2e
