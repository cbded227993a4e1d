// The options command with the real dialog, applying settings to the real
// main window, and the global hot key.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "tests/win/main_window_fixture.h"
#include "settings/settings_table.h"
#include "calendar/month_cal_colors.h"
#include "options/options_layout.h"
#include "tests/win/test_support_win.h"
#include "tests/win/tray_test_support_win.h"
#include "widgets/application_win.h"
#include "widgets/color_chooser_win.h"
#include "widgets/font_win.h"

namespace kiv {
namespace {

using test::BoxRecorder;
using test::Pump;

// Runs a script on the dialog that comes up next on this thread, from
// inside its modal loop, as a user at the keyboard would.
struct DialogScript : test::WhenWindowShows {
    explicit DialogScript(std::function<void(HWND)> script) : WhenWindowShows(L"#32770", std::move(script)) {}
};

// The control as it draws itself, made wider by `extra`; the columns of its
// own width only.
std::vector<COLORREF> Drawn(HWND control, int extra) {
    RECT rc;
    GetWindowRect(control, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(control, nullptr, 0, 0, width + extra, height, keep);
    WindowDc screen(control);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width + extra, height));
    SelectGuard select(dc.get(), bitmap.get());
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    SetWindowPos(control, nullptr, 0, 0, width, height, keep);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

HWND Item(HWND dialog, Setting s) { return GetDlgItem(dialog, OptionsControlId(s)); }
bool IsChecked(HWND dialog, Setting s) { return SendMessageW(Item(dialog, s), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Click(HWND control) { SendMessageW(control, BM_CLICK, 0, 0); }
void Press(HWND dialog, int id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::vector<std::pair<std::wstring, DWORD>> StoredValues() {
    std::vector<std::pair<std::wstring, DWORD>> out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, settings_text::kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out;
    UniqueRegKey owner(key);
    for (DWORD i = 0;; ++i) {
        wchar_t name[128];
        DWORD nameLength = 128, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        out.push_back({name, type == REG_DWORD && size == 4 ? 4u : 0u});
    }
    return out;
}

std::wstring RunEntry() {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Kiv Calendar",
                     RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"(none)";
    return data;
}

class Options : public test::MainWindowFixture {
protected:
    // Opens the options as Ctrl+O does and hands the dialog to the script.
    void OpenOptions(std::function<void(HWND)> script) {
        DialogScript run(std::move(script));
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Command::Options), 1), 0);
        Pump();
        EXPECT_TRUE(run.ran) << "no dialog came up";
    }
};

TEST_F(Options, DialogIsLaidOutOwnedAndFilledFromTheRecord) {
    registry.PutDword(L"Use hotkey", 1);
    registry.PutDword(L"Columns", 9);
    Start();
    OpenOptions([&](HWND d) {
        wchar_t caption[32] = {};
        GetWindowTextW(d, caption, 32);
        EXPECT_STREQ(caption, L"Options");
        EXPECT_EQ(GetWindow(d, GW_OWNER), window->hwnd());
        EXPECT_FALSE(IsWindowEnabled(window->hwnd()));
        const LONG_PTR style = GetWindowLongPtrW(d, GWL_STYLE);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        const UINT dpi = WindowDpi(window->hwnd());
        RECT client;
        GetClientRect(d, &client);
        EXPECT_EQ(client.right, ScaleForDpi(492, dpi));
        // As laid out, and taller only by what the note needs to show all its lines.
        RECT note;
        GetClientRect(GetDlgItem(d, options_ids::kVista), &note);
        EXPECT_GE(note.bottom, ScaleForDpi(26, dpi));
        EXPECT_EQ(client.bottom, ScaleForDpi(423 + 134, dpi) + note.bottom - ScaleForDpi(26, dpi));
        // "Win +" sits at 255, 145 inside the General group at 10, 5.
        RECT win;
        GetWindowRect(Item(d, Setting::WinHotkey), &win);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&win), 2);
        EXPECT_EQ(win.left, ScaleForDpi(265, dpi));
        EXPECT_EQ(win.top, ScaleForDpi(150, dpi));

        // Every caption shows whole, inside its group: a check box draws the
        // same as when it is given room to spare (without the focus frame,
        // which may reach a pixel past its text).
        SetFocus(GetDlgItem(d, IDOK));
        for (const OptionsItem& item : OptionsLayout()) {
            if (item.kind != OptionsItemKind::CheckBox && item.kind != OptionsItemKind::Label &&
                item.kind != OptionsItemKind::Note)
                continue;
            HWND control = GetDlgItem(d, item.id);
            RECT at, box;
            GetWindowRect(control, &at);
            GetWindowRect(GetDlgItem(d, OptionsGroupBox(item.group).id), &box);
            const int width = at.right - at.left;
            if (item.kind == OptionsItemKind::Note)
                EXPECT_GE(at.bottom - at.top, WrappedTextHeight(control, item.caption, width));
            else if (item.kind == OptionsItemKind::CheckBox)
                EXPECT_EQ(Drawn(control, 0), Drawn(control, 200)) << item.id;
            else
                EXPECT_GE(width, TextWidth(control, item.caption)) << item.id;
            EXPECT_TRUE(at.left > box.left && at.right < box.right && at.bottom < box.bottom) << item.id;
        }

        // Tab visits the controls in the layout's order and comes round again.
        std::vector<int> expected;
        for (const OptionsItem& item : OptionsLayout())
            if (item.kind != OptionsItemKind::Label && item.kind != OptionsItemKind::Note &&
                item.kind != OptionsItemKind::GroupBox && IsWindowEnabled(GetDlgItem(d, item.id)))
                expected.push_back(item.id);
        std::vector<int> visited;
        HWND at = GetDlgItem(d, expected.back());
        for (size_t i = 0; i < expected.size(); ++i) {
            at = GetNextDlgTabItem(d, at, FALSE);
            visited.push_back(GetDlgCtrlID(at));
        }
        EXPECT_EQ(visited, expected);

        // The record's fill: the hot key on, the default hot key shown, no column.
        EXPECT_TRUE(IsWindowEnabled(Item(d, Setting::Hotkey)));
        EXPECT_EQ(SendMessageW(Item(d, Setting::Hotkey), HKM_GETHOTKEY, 0, 0), 0x0643);
        EXPECT_EQ(SendMessageW(Item(d, Setting::ColumnsIndex), CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(SendMessageW(Item(d, Setting::FirstDay), CB_GETCOUNT, 0, 0), 8);
        EXPECT_TRUE(IsChecked(d, Setting::ShowToolbar));
        EXPECT_FALSE(IsWindowEnabled(Item(d, Setting::NotifyIconColor)));
        // A click runs the box's rule through the window.
        Click(Item(d, Setting::TransparentIcon));
        EXPECT_TRUE(IsWindowEnabled(Item(d, Setting::NotifyIconColor)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, options_ids::kFirstLabel)));
        Press(d, IDCANCEL);
    });
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
    // Cancelled: nothing written.
    EXPECT_EQ(StoredValues().size(), 2u);
    EXPECT_EQ(window->State().Settings.ColumnsIndex, 9);
}

TEST_F(Options, OpenedOverAHiddenWindowTheDialogStandsForItOnTheTaskbar) {
    Start(false);
    OpenOptions([&](HWND d) {
        EXPECT_TRUE(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        // Its button shows the program's icon, at both sizes.
        for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
            ICONINFO info{};
            EXPECT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(d, WM_GETICON, which, 0)), &info)) << which;
            const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
            BITMAP bits{};
            GetObjectW(colour.get(), sizeof bits, &bits);
            EXPECT_EQ(bits.bmWidth, GetSystemMetrics(metric)) << which;
        }
        EXPECT_FALSE(IsWindowVisible(window->hwnd()));
        Press(d, IDOK);
    });
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(StoredValues().size(), 28u);
}

TEST_F(Options, CancelAfterRestoringTheColoursChangesNothing) {
    registry.PutDword(L"Back color", 0x000000FF);
    Start();
    auto chooser = SetColorChooserHandler([](COLORREF, CustomColors& custom) {
        EXPECT_EQ(custom[4], GetSysColor(COLOR_APPWORKSPACE));
        EXPECT_EQ(custom[15], 0x00FFFFFFu);
        return std::optional<COLORREF>(RGB(1, 2, 3));
    });
    OpenOptions([&](HWND d) {
        Press(d, OptionsControlId(Setting::TextColor));
        Press(d, options_ids::kRestore);
        Press(d, IDCANCEL);
    });
    SetColorChooserHandler(chooser);
    EXPECT_EQ(window->Calendar().CalColors().BackColor(), 0x000000FFu);
    EXPECT_EQ(window->Calendar().CalColors().TextColor(), 0x80000008u);
    EXPECT_EQ(StoredValues().size(), 1u);
}

TEST_F(Options, ConfirmingAppliesSavesAndShowsTheCurrentYear) {
    Start();
    window->ShowYear(1999);
    const int width = Client().cx;
    auto chooser = SetColorChooserHandler([](COLORREF, CustomColors&) { return std::optional<COLORREF>(RGB(1, 2, 3)); });
    OpenOptions([&](HWND d) {
        Click(Item(d, Setting::WeekNumbers));
        Click(Item(d, Setting::StartWithWindows));
        Press(d, OptionsControlId(Setting::TitleTextColor));
        Press(d, IDOK);
    });
    SetColorChooserHandler(chooser);
    EXPECT_TRUE(window->State().Settings.WeekNumbers);
    EXPECT_TRUE(window->Calendar().WeekNumbers());
    EXPECT_GT(Client().cx, width);
    EXPECT_EQ(window->ToolBar().edYear.Number(), 2026);
    EXPECT_EQ(window->Calendar().CalColors().TitleTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
    EXPECT_EQ(GetFocus(), window->Calendar().hwnd());
    const auto values = StoredValues();
    EXPECT_EQ(values.size(), 28u);
    for (const auto& [name, size] : values) EXPECT_EQ(size, 4u) << std::string(name.begin(), name.end());
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(RunEntry(), L"\"" + std::wstring(path) + L"\" -quiet");

    OpenOptions([&](HWND d) {
        Click(Item(d, Setting::StartWithWindows));
        Press(d, IDOK);
    });
    EXPECT_EQ(RunEntry(), L"(none)");
}

TEST_F(Options, BorderlessKeysWorkRightAfterTheDialog) {
    Start();
    OpenOptions([&](HWND d) {
        Click(Item(d, Setting::ShowOnlyCalendar));
        Press(d, IDOK);
    });
    EXPECT_EQ(GetMenu(window->hwnd()), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(window->hwnd(), GWL_STYLE) & WS_CAPTION);
    ASSERT_EQ(GetFocus(), window->Calendar().hwnd());
    // Ctrl+O, released in the calendar while Ctrl is held, opens the dialog again.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    DialogScript run([&](HWND d) {
        EXPECT_TRUE(IsChecked(d, Setting::ShowOnlyCalendar));
        Click(Item(d, Setting::ShowOnlyCalendar));
        Press(d, IDOK);
    });
    SendMessageW(GetFocus(), WM_KEYUP, 'O', static_cast<LPARAM>(0xC0000001u));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    Pump();
    EXPECT_TRUE(run.ran) << "Ctrl+O in the borderless calendar opened no dialog";
    EXPECT_NE(GetMenu(window->hwnd()), nullptr);
}

TEST_F(Options, ApplyingTheSameRecordTwiceChangesNothing) {
    Start();
    auto state = [&] {
        RECT rc;
        GetWindowRect(window->hwnd(), &rc);
        return std::vector<long long>{rc.right - rc.left, rc.bottom - rc.top, GetWindowLongPtrW(window->hwnd(), GWL_STYLE),
                                 window->IsChecked(Command::ShowToolbar), window->IsChecked(Command::ShowWeekNumbers),
                                 window->IsChecked(Command::AlwaysOnTop), window->Calendar().Columns(),
                                 IsWindowVisible(window->ToolBar().hwnd())};
    };
    for (bool borderless : {false, true}) {
        window->State().Settings.ShowOnlyCalendar = borderless;
        window->State().Settings.WeekNumbers = true;
        window->State().Settings.ShowToolbar = false;
        window->ApplySettings();
        const auto first = state();
        window->ApplySettings();
        EXPECT_EQ(state(), first) << borderless;
    }
}

TEST_F(Options, AppliedFrameToolbarFirstDayAndColumns) {
    Start();
    TfMain_calendar& w = *window;
    w.State().Settings.ShowOnlyCalendar = true;
    w.State().Settings.ShowToolbar = true;
    w.ApplySettings();
    EXPECT_EQ(GetMenu(w.hwnd()), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(w.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER));
    EXPECT_FALSE(IsWindowVisible(w.ToolBar().hwnd()));
    w.State().Settings.ShowOnlyCalendar = false;
    w.ApplySettings();
    EXPECT_EQ(GetMenu(w.hwnd()), w.MainMenu());
    EXPECT_TRUE(GetWindowLongPtrW(w.hwnd(), GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(w.ToolBar().hwnd()));

    const UINT dpi = WindowDpi(w.hwnd());
    for (bool large : {true, false}) {
        w.State().Settings.LargeIcons = large;
        w.ApplySettings();
        const DWORD size = static_cast<DWORD>(SendMessageW(w.ToolBar().hwnd(), TB_GETBUTTONSIZE, 0, 0));
        EXPECT_EQ(LOWORD(size), ScaleForDpi(large ? 36 : 26, dpi));
        EXPECT_EQ(HIWORD(size), ScaleForDpi(large ? 32 : 22, dpi));
        int cx = 0, cy = 0;
        ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(w.ToolBar().hwnd(), TB_GETIMAGELIST, 0, 0)),
                              &cx, &cy);
        EXPECT_EQ(cx, ScaleForDpi(large ? 24 : 16, dpi));
    }

    w.State().Settings.FirstDay = 7;
    w.ApplySettings();
    EXPECT_EQ(LOWORD(SendMessageW(w.Calendar().hwnd(), MCM_GETFIRSTDAYOFWEEK, 0, 0)), 6);  // Sunday

    w.State().Settings.ColumnsIndex = 1;
    w.ApplySettings();
    w.State().Settings.ColumnsIndex = -1;
    w.ApplySettings();
    EXPECT_EQ(w.Calendar().Columns(), 2);
    EXPECT_TRUE(w.IsChecked(Command::Columns2));
}

// A second window of the test's own stands for another program.
class OtherProgramWindow {
public:
    OtherProgramWindow() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    ~OtherProgramWindow() {
        UnregisterHotKey(hwnd_, 7);
        DestroyWindow(hwnd_);
    }
    bool Register(UINT modifiers, UINT key) { return RegisterHotKey(hwnd_, 7, modifiers, key) != FALSE; }
    void Release() { UnregisterHotKey(hwnd_, 7); }

private:
    HWND hwnd_;
};

TEST_F(Options, HotKeyIsHeldWhileOnAndReleasedAtOnceWhenSwitchedOff) {
    registry.PutDword(L"Use hotkey", 1);
    registry.PutDword(L"Hotkey", 0xC04B);  // Ctrl+Alt+K
    Start();
    OtherProgramWindow other;
    EXPECT_FALSE(other.Register(MOD_CONTROL | MOD_ALT, 'K'));
    EXPECT_EQ(GetLastError(), 1409u);

    OpenOptions([&](HWND d) {
        Click(Item(d, Setting::UseHotkey));
        Press(d, IDOK);
    });
    EXPECT_TRUE(other.Register(MOD_CONTROL | MOD_ALT, 'K'));
}

TEST_F(Options, HotKeyTakenElsewhereIsReportedAtEveryApplyAndStillSaved) {
    registry.PutDword(L"Use hotkey", 1);
    registry.PutDword(L"Win hotkey", 1);
    registry.PutDword(L"Hotkey", 0x0043);  // Win+C
    OtherProgramWindow other;
    ASSERT_TRUE(other.Register(MOD_WIN, 'C'));
    BoxRecorder boxes;
    Start();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"The selected hot key is already used by other program.");
    EXPECT_EQ(boxes.boxes[0].caption, L"Error");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    OpenOptions([&](HWND d) { Press(d, IDOK); });
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(StoredValues().size(), 28u);
    other.Release();
    window->ApplySettings();
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_FALSE(other.Register(MOD_WIN, 'C'));
}

// The window leaves the topmost band while the dialog is up. Cancelled, it
// goes back as it stood, pinned or unpinned from the View menu whatever the
// settings say; confirmed, the settings decide.
TEST_F(Options, TheTopmostBandFollowsTheWindowAfterCancelAndTheSettingsAfterOk) {
    registry.PutDword(L"Always on top", 1);
    Start();
    const auto command = [&](Command c) {
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c), 0), 0);
        Pump();
    };
    ASSERT_TRUE(window->IsChecked(Command::AlwaysOnTop));
    command(Command::AlwaysOnTop);
    {
        test::TopmostRequests topmost(window->hwnd());
        OpenOptions([&](HWND d) { Press(d, IDCANCEL); });
        EXPECT_EQ(std::count(topmost.requests.begin(), topmost.requests.end(), true), 0) << "pinned again";
    }
    EXPECT_FALSE(window->IsChecked(Command::AlwaysOnTop));

    window->State().Settings.AlwaysOnTop = false;
    command(Command::AlwaysOnTop);
    {
        test::TopmostRequests topmost(window->hwnd());
        std::vector<bool> whileOpen;
        OpenOptions([&](HWND d) {
            whileOpen = topmost.requests;
            Press(d, IDCANCEL);
        });
        EXPECT_EQ(whileOpen, std::vector<bool>{false}) << "not lowered under the dialog";
        EXPECT_TRUE(topmost.lastWasRaise());
    }
    EXPECT_TRUE(window->IsChecked(Command::AlwaysOnTop));

    window->State().Settings.AlwaysOnTop = true;
    command(Command::AlwaysOnTop);
    {
        test::TopmostRequests topmost(window->hwnd());
        OpenOptions([&](HWND d) { Press(d, IDOK); });
        EXPECT_TRUE(topmost.lastWasRaise());
    }
    EXPECT_TRUE(window->IsChecked(Command::AlwaysOnTop));
}

TEST_F(Options, FromTheTrayMenuWhileTheDialogIsOpenTheMenuWaits) {
    Start(false);
    test::ShellRecorder shell;
    int menus = 0;
    auto previous = SetPopupMenuTracker([&](HMENU, int, int, HWND) {
        ++menus;
        return static_cast<UINT>(Command::Options);
    });
    const HWND tray = window->Tray().Icon().MsgWindow().hwnd();
    DialogScript run([&](HWND d) {
        SendMessageW(tray, TMsgWindow::kCallbackMessage, 0, WM_RBUTTONUP);
        EXPECT_EQ(menus, 1) << "a second menu opened over the dialog";
        EXPECT_EQ(shell.beeps.size(), 1u) << "a right click without a menu beeps";
        Press(d, IDCANCEL);
    });
    SendMessageW(tray, TMsgWindow::kCallbackMessage, 0, WM_RBUTTONUP);
    Pump();
    EXPECT_TRUE(run.ran) << "no dialog came up";
    EXPECT_EQ(window->Tray().Icon().PopupMenu, &window->Tray().Menu());
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    SetPopupMenuTracker(previous);
}

}  // namespace
}  // namespace kiv
