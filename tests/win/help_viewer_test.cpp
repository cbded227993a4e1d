// The help window: opened from the main window over the guide that lies
// beside the test program (as it lies beside the program), and the page
// handed to the system when the browser control cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "app/main_window_win.h"
#include "help/show_html.h"
#include "help/show_html_win.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/shell_handler_support_win.h"
#include "tests/win/test_support_win.h"
#include "widgets/application_win.h"

namespace kiv {
namespace {

using namespace std::chrono_literals;
using test::BoxRecorder;
using test::Pump;
using test::RecordingHandler;
using test::RegistryValueSwap;
using test::TestFolder;

std::wstring Caption(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

int CountWindows(const wchar_t* className) {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr))
        ++count;
    return count;
}

// Closes a help window that is still open after a while, so that a window
// deaf to Esc fails the test instead of hanging it.
bool forcedClose = false;
void CALLBACK CloseLeftoverHelp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND help = FindWindowW(TfShowHtml::kClassName, nullptr)) {
        forcedClose = true;
        PostMessageW(help, WM_CLOSE, 0, 0);
    }
}

using HelpViewer = test::MainWindowTest;

TEST_F(HelpViewer, F1OpensTheGuideModallyAtItsSizeAndEscClosesIt) {
    ASSERT_NE(GetFileAttributesW((TestFolder() + L"Help.html").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the build did not put the guide beside the program";
    Run(Command::AlwaysOnTop);
    test::TopmostRequests topmost(window->hwnd());
    struct Seen {
        std::wstring caption;
        RECT bounds{};
        LONG_PTR style = 0;
        HWND owner = nullptr;
        bool ownerEnabled = true, hasIcon = false, lowered = false;
    } seen;
    test::WhenWindowShows help(TfShowHtml::kClassName, [&](HWND w) {
        seen.caption = Caption(w);
        GetWindowRect(w, &seen.bounds);
        seen.style = GetWindowLongPtrW(w, GWL_STYLE);
        seen.owner = GetWindow(w, GW_OWNER);
        seen.ownerEnabled = IsWindowEnabled(window->hwnd()) != FALSE;
        seen.hasIcon = SendMessageW(w, WM_GETICON, ICON_SMALL, 0) != 0;
        seen.lowered = topmost.requests == std::vector<bool>{false};
        // Esc pressed wherever the keyboard focus is inside the window.
        HWND focus = GetFocus();
        PostMessageW(focus && (focus == w || IsChild(w, focus)) ? focus : w, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        forcedClose = false;
        SetTimer(nullptr, 0, 5000, &CloseLeftoverHelp);
    });

    Run(Command::ViewHelp);

    ASSERT_TRUE(help.ran) << "no help window was shown";
    EXPECT_FALSE(forcedClose) << "Esc did not close the window";
    EXPECT_EQ(seen.caption, L"Kiv Calendar Help");
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(window->hwnd(), MONITOR_DEFAULTTOPRIMARY), &mi);
    const int mw = mi.rcMonitor.right - mi.rcMonitor.left, mh = mi.rcMonitor.bottom - mi.rcMonitor.top;
    const HtmlWindowSize size = HtmlWindowSizeFor(mw, mh);
    EXPECT_EQ(seen.bounds.right - seen.bounds.left, size.width);
    EXPECT_EQ(seen.bounds.bottom - seen.bounds.top, size.height);
    EXPECT_EQ(seen.bounds.left - mi.rcMonitor.left, (mw - size.width) / 2);
    EXPECT_EQ(seen.bounds.top - mi.rcMonitor.top, (mh - size.height) / 2);
    EXPECT_TRUE(seen.style & WS_THICKFRAME);
    EXPECT_TRUE(seen.style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(seen.style & WS_MINIMIZEBOX);
    EXPECT_EQ(seen.owner, window->hwnd());
    EXPECT_FALSE(seen.ownerEnabled) << "the window was not modal";
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_TRUE(seen.lowered);
    // Closed and gone, the main window usable and topmost again.
    EXPECT_EQ(CountWindows(TfShowHtml::kClassName), 0);
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
    EXPECT_TRUE(topmost.lastWasRaise());
}

TEST_F(HelpViewer, AMissingPageIsNamedInFullAndNoWindowOpens) {
    BoxRecorder boxes;
    const std::wstring missing = TestFolder() + L"No such guide.html";
    ShowHtmlFile(L"Kiv Calendar Help", missing, window->hwnd(), nullptr, false);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"Couldn't find the file " + missing);
    EXPECT_EQ(boxes.boxes[0].caption, L"Error");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(CountWindows(TfShowHtml::kClassName), 0);
}

TEST_F(HelpViewer, AModelessWindowIsBroughtForwardRatherThanOpenedTwice) {
    const std::wstring page = TestFolder() + L"Help.html";
    ShowHtmlFile(L"First", page, window->hwnd(), nullptr, true);
    ShowHtmlFile(L"Second", page, window->hwnd(), nullptr, true);
    Pump();
    ASSERT_EQ(CountWindows(TfShowHtml::kClassName), 1);
    HWND help = FindWindowW(TfShowHtml::kClassName, nullptr);
    EXPECT_EQ(Caption(help), L"First");
    EXPECT_EQ(GetWindow(help, GW_OWNER), nullptr) << "a modeless window stands on its own";
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
    // Esc closes a modeless window too, and it is freed.
    PostMessageW(help, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    for (int i = 0; i < 50 && IsWindow(help); ++i) {
        Pump();
        Sleep(10);
    }
    EXPECT_FALSE(IsWindow(help));
}

TEST_F(HelpViewer, WithoutTheBrowserControlThePageGoesToTheDefaultHandler) {
    // Only where the session's prefix is ours to change: there, nothing opens .html files.
    if (!test::RunningOnWine()) GTEST_SKIP() << "changes the system's file associations";
    HKEY existing = nullptr;
    ASSERT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, L".html", 0, KEY_READ, &existing), ERROR_SUCCESS);
    // A registration whose library is missing: the control cannot be made.
    RegistryValueSwap broken(HKEY_CLASSES_ROOT, L"CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32",
                             L"kiv-no-such-browser.dll");
    const std::wstring page = TestFolder() + L"Help.html";
    {
        // No handler either: the system's reason reaches the error box.
        BoxRecorder boxes;
        Guarded([&] { ShowHtmlFile(L"Kiv Calendar Help", page, window->hwnd(), nullptr, false); });
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].caption, L"Kiv Calendar");
        EXPECT_FALSE(boxes.boxes[0].text.empty());
    }
    RecordingHandler handler(L".html");
    ShowHtmlFile(L"Kiv Calendar Help", page, window->hwnd(), nullptr, false);
    EXPECT_EQ(CountWindows(TfShowHtml::kClassName), 0);
    std::string expected(page.begin(), page.end());
    EXPECT_EQ(handler.Opened(10s), expected + "\n");
}

}  // namespace
}  // namespace kiv
