// The process-wide application object: its title, the show-main-window flag
// of the start, the message loop with its idle hook, and the default error box.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace kiv {

class Application {
public:
    static Application& instance();

    void setTitle(std::wstring title) { title_ = std::move(title); }
    const std::wstring& title() const { return title_; }
    // The resource id of the program's icon, which dialogs show on the
    // taskbar when they stand for the program there (0: none).
    void setIconId(WORD id) noexcept { iconId_ = id; }
    WORD iconId() const noexcept { return iconId_; }

    // False when the main window is to stay hidden as the loop starts.
    bool showMainWindow = true;

    // Translates the main window's keyboard shortcuts inside the loop.
    void setAccelerators(HWND window, HACCEL table) noexcept {
        acceleratorWindow_ = window;
        accelerators_ = table;
    }

    // Sees each message before the shortcuts do; true keeps it from them,
    // and it is then handled as any other. An empty function removes it.
    void setShortcutFilter(std::function<bool(const MSG&)> filter) { shortcutFilter_ = std::move(filter); }

    // Sees each key message of the main window before it is translated and
    // moves the focus as a dialog does; true when it used the message. An
    // empty function removes it.
    void setKeyboardNavigation(std::function<bool(const MSG&)> handler) { navigation_ = std::move(handler); }

    // Called each time the message queue runs empty; an empty function removes it.
    void setIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }
    bool hasIdleHandler() const { return static_cast<bool>(idle_); }

    // Runs the message loop until terminate(); returns the exit code.
    int run();
    // Pumps what is queued now without blocking, idle hook included; for tests.
    void processMessages();
    // Ends the program: the way set below, or else the loop, whose quit
    // message also ends every modal loop on the way.
    void terminate() noexcept;
    // Ends the program at once (the handler does not return), from wherever
    // the end is asked for; an empty function brings the quit message back.
    void setEndHandler(std::function<void()> handler) { end_ = std::move(handler); }

    // The default error box: the message as a sentence (see WithFullStop),
    // the title as caption, an error icon.
    void showException(const std::exception& e) noexcept;
    void showUnknownException() noexcept;

private:
    Application() = default;
    bool dispatch(MSG& msg);
    void runIdle() noexcept;

    std::wstring title_;
    WORD iconId_ = 0;
    HWND acceleratorWindow_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::function<bool(const MSG&)> shortcutFilter_;
    std::function<bool(const MSG&)> navigation_;
    std::function<void()> idle_;
    std::function<void()> end_;
};

// Converts an exception's UTF-8 message for display.
std::wstring Widen(const char* utf8);

}  // namespace kiv
