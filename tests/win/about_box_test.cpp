// The about box from the main menu and from the tray: what it shows, how it
// closes, whom it belongs to, and the two fields that open their addresses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/about.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/shell_handler_support_win.h"
#include "tests/win/tray_test_support_win.h"
#include "widgets/font_win.h"

namespace kiv {
namespace {

using namespace std::chrono_literals;
namespace ids = about_ids;

std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

RECT Place(HWND dialog, int id) {
    RECT rc{};
    GetWindowRect(GetDlgItem(dialog, id), &rc);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void Click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

class AboutBox : public test::MainWindowTest {
protected:
    // Opens the box as the menu does and hands it to the check, which must
    // close it: a box still open after a while is closed here, and fails.
    void Open(const std::function<void(HWND)>& check) {
        test::WhenWindowShows box(L"#32770", [&](HWND d) {
            check(d);
            SetTimer(nullptr, 0, 5000, &CloseLeftover);
        });
        forcedClose = false;
        Run(Command::About);
        ASSERT_TRUE(box.ran) << "no about box came up";
        EXPECT_FALSE(forcedClose) << "the box did not close";
        EXPECT_EQ(FindWindowW(L"#32770", L"About"), nullptr) << "the box is still there";
    }
    static void CALLBACK CloseLeftover(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (HWND d = FindWindowW(L"#32770", L"About")) {
            forcedClose = true;
            EndDialog(d, IDOK);
        }
    }
    static inline bool forcedClose = false;
    HWND Tray() { return window->Tray().Icon().MsgWindow().hwnd(); }
    void RightClickTray() {
        SendMessageW(Tray(), TMsgWindow::kCallbackMessage, 0, WM_RBUTTONUP);
        test::Pump();
    }
    test::RegistryRedirect registry;
};

TEST_F(AboutBox, OverTheShownWindowItIsOwnedShowsItsTextsWholeAndEscClosesIt) {
    Open([&](HWND d) {
        EXPECT_EQ(Text(d), L"About");
        EXPECT_EQ(GetWindow(d, GW_OWNER), window->hwnd());
        EXPECT_FALSE(IsWindowEnabled(window->hwnd()));
        const UINT dpi = WindowDpi(window->hwnd());
        RECT client{};
        GetClientRect(d, &client);
        EXPECT_EQ(client.right, ScaleForDpi(392, dpi));
        EXPECT_EQ(client.bottom, ScaleForDpi(323, dpi));

        const std::pair<int, std::wstring> texts[] = {
            {ids::kName, L"Kiv Calendar"},
            {ids::kVersion, L"Version 2.42"},
            {ids::kAuthor, L"Copyright \u00A9 2008-2026 Kiv Soft"},
            {ids::kEmailLabel, L"E-mail:"},
            {ids::kEmail, L"kiv@kivsoft.example"},
            {ids::kWebLabel, L"Web site:"},
            {ids::kWeb, L"https://kivsoft.example"},
            {ids::kSendEmail, L"If you have any suggestion, find a bug, etc., send me an e-mail."},
            {ids::kResponsibility, kAboutResponsibility},
            {IDOK, L"&OK"},
        };
        // Every text in full, inside the frame round the content.
        const int frameRight = ScaleForDpi(10 + 373, dpi), frameBottom = ScaleForDpi(10 + 271, dpi);
        for (const auto& [id, text] : texts) {
            HWND control = GetDlgItem(d, id);
            EXPECT_EQ(Text(control), text) << id;
            const RECT at = Place(d, id);
            if (id == ids::kEmail || id == ids::kWeb) {
                const auto margins = static_cast<DWORD>(SendMessageW(control, EM_GETMARGINS, 0, 0));
                EXPECT_GE(at.right - at.left, TextWidth(control, text) + LOWORD(margins) + HIWORD(margins)) << id;
            }
            if (id == IDOK || id == ids::kEmail || id == ids::kWeb) continue;
            EXPECT_GE(at.bottom - at.top, WrappedTextHeight(control, text, at.right - at.left)) << id;
            // A paragraph may be narrower than its place: it wraps at its
            // spaces, never inside "e-mail".
            EXPECT_GE(at.right - at.left, id == ids::kSendEmail || id == ids::kResponsibility
                                              ? TextWidth(control, L"suggestion, find a bug, etc., send me")
                                              : TextWidth(control, text))
                << id;
            EXPECT_LE(at.right, frameRight) << id;
            EXPECT_LE(at.bottom, frameBottom) << id;
        }
        // The captions end just before the fields' frames.
        EXPECT_LT(Place(d, ids::kEmailLabel).right, ScaleForDpi(145, dpi));
        EXPECT_EQ(Place(d, ids::kEmailLabel).right, Place(d, ids::kWebLabel).right);
        const RECT icon = Place(d, ids::kIcon);
        EXPECT_EQ(icon.right - icon.left, ScaleForDpi(32, dpi));
        EXPECT_NE(SendMessageW(GetDlgItem(d, ids::kIcon), STM_GETICON, 0, 0), 0);

        // OK is the default button and has the focus; Tab goes on to the two fields.
        EXPECT_EQ(LOWORD(SendMessageW(d, DM_GETDEFID, 0, 0)), IDOK);
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDOK));
        std::vector<int> order;
        for (HWND at = GetFocus(); order.size() < 3;) order.push_back(GetDlgCtrlID(at = GetNextDlgTabItem(d, at, FALSE)));
        EXPECT_EQ(order, (std::vector<int>{ids::kEmail, ids::kWeb, IDOK}));

        // The fields: read-only, frameless, navy on the button face, under a hand.
        for (int id : {ids::kEmail, ids::kWeb}) {
            HWND field = GetDlgItem(d, id);
            EXPECT_TRUE(GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY);
            EXPECT_FALSE(GetWindowLongPtrW(field, GWL_STYLE) & WS_BORDER);
            EXPECT_FALSE(GetWindowLongPtrW(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
            HDC dc = GetDC(field);
            const auto brush = SendMessageW(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(field));
            EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_BTNFACE));
            EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128));
            ReleaseDC(field, dc);
            SendMessageW(field, WM_SETCURSOR, reinterpret_cast<WPARAM>(field), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
        }
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    });
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
}

TEST_F(AboutBox, FromTheTrayOverAHiddenWindowItStandsAloneAndTheMenuOnlyBeepsMeanwhile) {
    ShowWindow(window->hwnd(), SW_HIDE);
    test::ShellRecorder shell;
    int menus = 0;
    auto previous = SetPopupMenuTracker([&](HMENU, int, int, HWND) {
        ++menus;
        return static_cast<UINT>(menus == 1 ? Command::About : Command::None);
    });
    test::WhenWindowShows box(L"#32770", [&](HWND d) {
        EXPECT_EQ(GetWindow(d, GW_OWNER), nullptr) << "a box of its own";
        EXPECT_FALSE(IsWindowVisible(window->hwnd()));
        RightClickTray();
        EXPECT_EQ(menus, 1) << "a menu opened over the box";
        EXPECT_EQ(shell.beeps.size(), 1u);
        // The options opened and cancelled meanwhile do not bring the menu back.
        SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
            if (HWND options = FindWindowW(L"#32770", L"Options")) {
                KillTimer(nullptr, timer);
                PostMessageW(options, WM_COMMAND, IDCANCEL, 0);
            }
        });
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Command::Options), 0), 0);
        RightClickTray();
        EXPECT_EQ(menus, 1);
        EXPECT_EQ(shell.beeps.size(), 2u);
        SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
    });
    RightClickTray();
    EXPECT_TRUE(box.ran) << "no about box came up";
    EXPECT_EQ(FindWindowW(L"#32770", L"About"), nullptr);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    // Closed, the menu is back.
    RightClickTray();
    EXPECT_EQ(menus, 2);
    EXPECT_EQ(shell.beeps.size(), 2u);
    SetPopupMenuTracker(previous);
}

TEST_F(AboutBox, TheFieldsHandTheMailAddressAndTheWebSiteToTheirHandlers) {
    // Only where the session's prefix is ours to change.
    if (!test::RunningOnWine()) GTEST_SKIP() << "changes the system's handlers of mailto and https";
    test::RecordingHandler mail(L"mailto"), web(L"https");
    std::string mailed, browsed;
    Open([&](HWND d) {
        Click(GetDlgItem(d, ids::kEmail));
        test::Pump();
        mailed = mail.Opened(10s);
        Click(GetDlgItem(d, ids::kWeb));
        test::Pump();
        browsed = web.Opened(10s);
        SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(mailed, "mailto:kiv@kivsoft.example\n");
    EXPECT_EQ(browsed, "https://kivsoft.example\n");
}

}  // namespace
}  // namespace kiv
