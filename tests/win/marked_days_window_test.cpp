// The main window with the user's calendar files: the bold days the
// control is given, a changed file on the next tick, today's events in the
// tray tip, the selected date's details, and the year box's editing keys.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "calendar/date_format_win.h"
#include "tests/win/main_window_fixture.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

std::string Event(const char* start, const char* extra, const char* name) {
    return std::string("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:") + start + "\r\n" + extra + "SUMMARY:" + name +
           "\r\nEND:VEVENT\r\n";
}

void WriteCalendar(const fs::path& path, const std::string& events) {
    std::ofstream(path, std::ios::binary) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" << events << "END:VCALENDAR\r\n";
}

// What the control was last given for each month, by MCM_SETDAYSTATE.
std::map<int, MONTHDAYSTATE> given;  // year * 12 + month - 1

LRESULT CALLBACK RecordDayStates(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == MCM_SETDAYSTATE) {
        SYSTEMTIME range[2]{};
        SendMessageW(h, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range));
        const auto* states = reinterpret_cast<const MONTHDAYSTATE*>(lp);
        for (int i = 0; i < static_cast<int>(wp); ++i) given[range[0].wYear * 12 + range[0].wMonth - 1 + i] = states[i];
    }
    return DefSubclassProc(h, msg, wp, lp);
}

class MarkedDaysWindow : public test::MainWindowFixture {
protected:
    void SetUp() override {
        file = fs::temp_directory_path() / ("kiv-marked-" + std::to_string(GetCurrentProcessId()) + ".ics");
        WriteCalendar(file, Event("20260305", "", "Spring Day") +
                                Event("20260330", "DTEND;VALUE=DATE:20260402\r\n", "Easter Break") +
                                Event("20201225", "RRULE:FREQ=YEARLY\r\n", "Christmas Day"));
        const std::wstring value = file.wstring() + L'\0' + L'\0';
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kiv Soft\\Calendar", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        RegSetValueExW(key, L"Marked day files", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()),
                       static_cast<DWORD>(value.size() * sizeof(wchar_t)));
        RegCloseKey(key);
        clock.now = EncodeDate(2026, 3, 5) + 0.5;
        Start();
    }
    void TearDown() override {
        test::MainWindowFixture::TearDown();
        fs::remove(file);
    }
    // The answer to a day-state request for `count` months from (year, month).
    std::vector<MONTHDAYSTATE> Asked(int year, int month, int count) {
        NMDAYSTATE request{};
        request.nmhdr = {window->Calendar().hwnd(), 1, static_cast<UINT>(MCN_GETDAYSTATE)};
        request.stStart.wYear = static_cast<WORD>(year);
        request.stStart.wMonth = static_cast<WORD>(month);
        request.stStart.wDay = 1;
        request.cDayState = count;
        SendMessageW(window->Calendar().panel(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&request));
        return {request.prgDayState, request.prgDayState + count};
    }
    static constexpr MONTHDAYSTATE Bits(std::initializer_list<int> days) {
        MONTHDAYSTATE m = 0;
        for (int d : days) m |= 1u << (d - 1);
        return m;
    }
    fs::path file;
};

TEST_F(MarkedDaysWindow, TheControlIsToldExactlyTheDaysOfTheFileAndAChangeOnTheNextTick) {
    const std::vector<MONTHDAYSTATE> marked = {0, 0, Bits({5, 30, 31}), Bits({1}), 0};
    EXPECT_EQ(Asked(2026, 1, 5), marked);
    EXPECT_EQ(Asked(2026, 12, 2), (std::vector<MONTHDAYSTATE>{Bits({25}), 0}));
    // Recurring over the years around the one on show, not beyond them.
    EXPECT_EQ(Asked(2027, 12, 1)[0], Bits({25}));
    EXPECT_EQ(Asked(2030, 12, 1)[0], 0u);

    ASSERT_TRUE(SetWindowSubclass(window->Calendar().hwnd(), RecordDayStates, 1, 0));
    given.clear();
    WriteCalendar(file, Event("20260320", "", "Equinox"));
    SendMessageW(window->hwnd(), WM_TIMER, TfMain_calendar::kTimerId, 0);
    RemoveWindowSubclass(window->Calendar().hwnd(), RecordDayStates, 1);
    EXPECT_EQ(Asked(2026, 3, 2), (std::vector<MONTHDAYSTATE>{Bits({20}), 0}));
    // The control on show was re-marked by that tick, not at its next request.
    ASSERT_TRUE(given.count(2026 * 12 + 2)) << "no MCM_SETDAYSTATE for March";
    EXPECT_EQ(given[2026 * 12 + 2], Bits({20}));
    EXPECT_EQ(given[2026 * 12 + 11], 0u);
    EXPECT_EQ(window->MarkedFiles().Files().at(0).StateText(), L"1 event");
}

TEST_F(MarkedDaysWindow, TodaysEventsFollowTheDateInTheTrayTipAndTheDetails) {
    const std::wstring tip = window->Tray().Icon().ToolTip();
    EXPECT_EQ(tip.substr(tip.size() - 11), L"\rSpring Day");
    const std::wstring details = window->DateDetails().Text();
    EXPECT_EQ(details, LongDateText(EncodeDate(2026, 3, 5)) + L"\r\nWeek 10, day 64 of 365\r\nSpring Day");
    EXPECT_EQ(window->SelectionText(), ShortDateText(EncodeDate(2026, 3, 5)));
}

TEST_F(MarkedDaysWindow, TheYearBoxKeepsItsEditingKeysFromTheShortcuts) {
    const auto ctrlA = [&](HWND target) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(target, WM_KEYDOWN, 'A', 1);
        // Through the program's own loop, where the shortcuts are translated.
        Application::instance().processMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return window->IsChecked(Command::AlwaysOnTop);
    };
    SetFocus(window->ToolBar().edYear.hwnd());
    EXPECT_FALSE(ctrlA(window->ToolBar().edYear.hwnd()));
    EXPECT_TRUE(ctrlA(window->Calendar().hwnd()));
}

}  // namespace
}  // namespace kiv
