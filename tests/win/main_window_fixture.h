// The main window in this process on a clock the test sets and a registry
// root of the test's own, and its commands run as the menu runs them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window_win.h"
#include "tests/win/test_support_win.h"
#include "trayicon/notify_icon_win.h"
#include "widgets/application_win.h"

namespace kiv::test {

// Made by Start(), or by Create() for a test that looks at it before any
// message is handled. Leaves no quit request and no idle hook behind.
class MainWindowFixture : public testing::Test {
protected:
    explicit MainWindowFixture(bool ownRegistry = true) : registry(ownRegistry) {}
    void TearDown() override {
        window.reset();
        Application& app = Application::instance();
        app.setIdleHandler(nullptr);
        app.showMainWindow = true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void Create() {
        window = std::make_unique<TfMain_calendar>(clock);
        window->Create();
    }
    void Start(bool show = true) {
        Create();
        if (show) ShowWindow(window->hwnd(), SW_SHOW);
        Pump();
    }
    void Run(Command c) {
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c), 0), 0);
        Pump();
    }
    SIZE Client() {
        RECT rc;
        GetClientRect(window->hwnd(), &rc);
        return {rc.right, rc.bottom};
    }
    bool Visible() { return IsWindowVisible(window->hwnd()) != FALSE; }
    int YearBox() { return window->ToolBar().edYear.Number(); }
    std::wstring SelectedBox() { return window->ToolBar().edSelectedDate.Text(); }
    static bool QuitPosted() {
        MSG msg;
        return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
    }
    // The tray icon's message window, and a callback from the shell to it.
    HWND Tray() { return window->Tray().Icon().MsgWindow().hwnd(); }
    void Tray(LPARAM code) {
        SendMessageW(Tray(), TMsgWindow::kCallbackMessage, 0, code);
        Pump();
    }

    RegistryRedirect registry;  // before the window, which reads it
    FakeClock clock;
    std::unique_ptr<TfMain_calendar> window;
};

// Started and shown before the test.
class MainWindowTest : public MainWindowFixture {
protected:
    using MainWindowFixture::MainWindowFixture;
    void SetUp() override { Start(); }
};

}  // namespace kiv::test
