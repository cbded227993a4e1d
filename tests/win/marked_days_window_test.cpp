// The main window with a calendar file: the bold days the control is given
// and asked for, a changed file on the next tick, today's events, and the
// year box's editing keys.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "calendar/date_format_win.h"
#include "tests/win/main_window_fixture.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

std::map<int, MONTHDAYSTATE> given;  // by year * 12 + month - 1, from MCM_SETDAYSTATE

LRESULT CALLBACK RecordDayStates(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    SYSTEMTIME at[2]{};
    if (msg == MCM_SETDAYSTATE && SendMessageW(h, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(at)))
        for (WPARAM i = 0; i < wp; ++i) given[at[0].wYear * 12 + at[0].wMonth - 1 + int(i)] = ((MONTHDAYSTATE*)lp)[i];
    return DefSubclassProc(h, msg, wp, lp);
}

class MarkedDaysWindow : public test::MainWindowFixture {
protected:
    void SetUp() override {
        Write("DTSTART;VALUE=DATE:20260305\r\nSUMMARY:Spring Day\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
              "DTSTART;VALUE=DATE:20260330\r\nDTEND;VALUE=DATE:20260402\r\nSUMMARY:Break\r\nEND:VEVENT\r\n"
              "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20201225\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Christmas\r\n");
        const std::wstring value = file.wstring() + L'\0' + L'\0';
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Kiv Soft\\Calendar", L"Marked day files", REG_MULTI_SZ,
                        value.data(), static_cast<DWORD>(value.size() * sizeof(wchar_t)));
        clock.now = EncodeDate(2026, 3, 5) + 0.5;
        Start();
    }
    void TearDown() override {
        test::MainWindowFixture::TearDown();
        fs::remove(file);
    }
    void Write(const char* events) {
        std::ofstream(file, std::ios::binary) << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n" << events
                                              << "END:VEVENT\r\nEND:VCALENDAR\r\n";
    }
    // The answer to a day-state request for `count` months from (year, month).
    std::vector<MONTHDAYSTATE> Asked(WORD year, WORD month, int count) {
        NMDAYSTATE request{};
        request.nmhdr = {window->Calendar().hwnd(), 1, static_cast<UINT>(MCN_GETDAYSTATE)};
        request.stStart = {year, month, 0, 1, 0, 0, 0, 0};
        request.cDayState = count;
        SendMessageW(window->Calendar().panel(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&request));
        return {request.prgDayState, request.prgDayState + count};
    }
    fs::path file = fs::temp_directory_path() / ("kiv-marked-" + std::to_string(GetCurrentProcessId()) + ".ics");
};

constexpr MONTHDAYSTATE Day(int d) { return 1u << (d - 1); }

TEST_F(MarkedDaysWindow, TheControlGetsExactlyTheDaysOfTheFileAndAChangeWithinOneTick) {
    EXPECT_EQ(Asked(2026, 1, 5), (std::vector<MONTHDAYSTATE>{0, 0, Day(5) | Day(30) | Day(31), Day(1), 0}));
    EXPECT_EQ(Asked(2026, 12, 6), (std::vector<MONTHDAYSTATE>{Day(25), 0, 0, 0, 0, 0}));
    EXPECT_EQ(window->MarkedDays().Details().Text(),
              LongDateText(EncodeDate(2026, 3, 5)) + L"\r\nWeek 10, day 64 of 365\r\nSpring Day");

    ASSERT_TRUE(SetWindowSubclass(window->Calendar().hwnd(), RecordDayStates, 1, 0));
    given.clear();
    Write("DTSTART;VALUE=DATE:20260320\r\nSUMMARY:Equinox\r\n");
    SendMessageW(window->hwnd(), WM_TIMER, TfMain_calendar::kTimerId, 0);
    RemoveWindowSubclass(window->Calendar().hwnd(), RecordDayStates, 1);
    EXPECT_EQ(Asked(2026, 3, 2), (std::vector<MONTHDAYSTATE>{Day(20), 0}));
    // The control on show is re-marked by the tick itself.
    EXPECT_EQ(given[2026 * 12 + 2], Day(20));
    EXPECT_EQ(given[2026 * 12 + 11], 0u);
}

TEST_F(MarkedDaysWindow, CtrlAInTheYearBoxIsTheBoxsAndElsewhereAlwaysOnTop) {
    const auto ctrlA = [&](HWND target) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] ^= 0x80;
        SetKeyboardState(keys);
        PostMessageW(target, WM_KEYDOWN, 'A', 1);
        Application::instance().processMessages();  // the program's loop, where shortcuts are translated
        keys[VK_CONTROL] ^= 0x80;
        return SetKeyboardState(keys) && window->IsChecked(Command::AlwaysOnTop);
    };
    SetFocus(window->ToolBar().edYear.hwnd());
    EXPECT_FALSE(ctrlA(window->ToolBar().edYear.hwnd()));
    EXPECT_TRUE(ctrlA(window->Calendar().hwnd()));
}

}  // namespace
}  // namespace kiv
