// Printing the calendar view on the Wine session's file-backed printers and
// reading back the PostScript they wrote.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "app/main_window_win.h"
#include "app/print_layout.h"
#include "tests/support/postscript_reader.h"
#include "tests/support/test_printers_win.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/test_support_win.h"
#include "widgets/application_win.h"

namespace kiv {
namespace {

using namespace std::chrono_literals;
using test::Pump;

constexpr int kPrinterDpi = 300;  // the test printers' resolution

struct WindowState {
    RECT bounds{};
    bool toolbar = false, todayCircle = false;
    TColor colors[TMonthCalColors::kCount] = {};
    bool operator==(const WindowState& o) const {
        return EqualRect(&bounds, &o.bounds) && toolbar == o.toolbar &&
               todayCircle == o.todayCircle && std::equal(std::begin(colors), std::end(colors), std::begin(o.colors));
    }
};

std::optional<test::PrintedJob> ReadJob(const std::wstring& file, std::chrono::milliseconds wait = 5s) {
    return test::WaitForPrintedJob(file, wait);
}

int CountPixels(const test::PrintedImage& image, std::uint32_t rgb) {
    return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), rgb));
}

class Printing : public test::MainWindowTest {
protected:
    // The test printers and the default printer are the user's settings.
    Printing() : MainWindowTest(false) {}
    void SetUp() override {
        ASSERT_TRUE(test::PrinterExists(test::kTestPrinter)) << "the session has no test printers";
        for (const wchar_t* port : {test::kTestPrinterPort, test::kSecondPrinterPort}) {
            outputs.push_back(test::PortOutputFile(port));
            ASSERT_FALSE(outputs.back().empty());
            DeleteFileW(outputs.back().c_str());
        }
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        for (const auto& file : outputs) DeleteFileW(file.c_str());
    }
    WindowState State() {
        WindowState s;
        GetWindowRect(window->hwnd(), &s.bounds);
        s.toolbar = IsWindowVisible(window->ToolBar().hwnd()) != FALSE;
        s.todayCircle = window->Calendar().ShowTodayCircle();
        for (int i = 0; i < TMonthCalColors::kCount; ++i) s.colors[i] = window->Calendar().CalColors().Get(i);
        return s;
    }
    void SetAlwaysOnTop(bool on) {
        if (window->IsChecked(Command::AlwaysOnTop) != on) Run(Command::AlwaysOnTop);
    }

    // No registry of the test's own here: the default printer and the port
    // mapping are read from the user's registry, and the stored calendar
    // settings do not matter to these tests.
    test::BoxRecorder boxes;
    std::vector<std::wstring> outputs;  // what the first and the second printer print to
};

TEST_F(Printing, OkPrintsOnePageOfWhatTheWindowShowsWithoutItsToolbar) {
    struct Case {
        Command columns;
        bool toolbar;
        const char* name;
    };
    // With 12 columns the year is wider than the screen: only what the window shows is printed.
    for (const Case& c : {Case{Command::Columns4, true, "Kiv Calendar - 4 columns"},
                          Case{Command::Columns12, false, "Kiv Calendar - 12 columns"}}) {
        Run(c.columns);
        if (window->IsChecked(Command::ShowToolbar) != c.toolbar) Run(Command::ShowToolbar);
        SetAlwaysOnTop(false);
        const WindowState before = State();
        const SIZE client = Client();
        const int toolbar = c.toolbar ? window->ToolBar().Height() : 0;
        boxes.boxes.clear();

        Run(Command::Print);

        ASSERT_EQ(boxes.boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes.boxes[0].text, L"Do you want to print the current calendar view?");
        EXPECT_EQ(boxes.boxes[0].caption, L"Print");
        EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
        const auto job = ReadJob(outputs[0]);
        ASSERT_TRUE(job) << c.name;
        EXPECT_EQ(job->title, c.name);
        EXPECT_EQ(job->pages, 1);
        ASSERT_EQ(job->images.size(), 1u);
        const test::PrintedImage& image = job->images[0];
        EXPECT_EQ(image.width, client.cx) << c.name;
        EXPECT_EQ(image.height, client.cy - toolbar) << c.name;
        EXPECT_EQ(image.scaledWidth, MulDivRounded(image.width, kPrinterDpi, 96));
        EXPECT_EQ(image.scaledHeight, MulDivRounded(image.height, kPrinterDpi, 96));
        if (c.columns == Command::Columns12) {
            EXPECT_LT(image.width, window->Calendar().Width());
        }
        EXPECT_TRUE(State() == before) << c.name;
        DeleteFileW(outputs[0].c_str());
    }
}

TEST_F(Printing, BackgroundColorsArePrintedOnlyWhenTheSettingSaysSo) {
    // Colours no anti-aliasing produces by chance: pure red title bars and
    // pure green days of the neighbouring months.
    TMonthCalColors& colors = window->Calendar().CalColors();
    colors.SetTitleBackColor(0x0000FF);
    colors.SetTrailingTextColor(0x00FF00);
    Pump();
    const WindowState before = State();
    for (bool printColors : {true, false}) {
        window->State().Settings.PrintBackgroundColors = printColors;
        Run(Command::Print);
        const auto job = ReadJob(outputs[0]);
        ASSERT_TRUE(job && job->images.size() == 1 && !job->images[0].pixels.empty()) << printColors;
        const test::PrintedImage& image = job->images[0];
        if (printColors) {
            EXPECT_GT(CountPixels(image, 0xFF0000), 1000);
            EXPECT_GT(CountPixels(image, 0x00FF00), 0);
        } else {
            EXPECT_EQ(CountPixels(image, 0xFF0000), 0);
            EXPECT_EQ(CountPixels(image, 0x00FF00), 0);
        }
        EXPECT_TRUE(State() == before) << printColors;
        DeleteFileW(outputs[0].c_str());
    }
}

TEST_F(Printing, CancelPrintsNothingAndChangesNothing) {
    boxes.answers[L"Print"] = IDCANCEL;
    const WindowState before = State();
    Run(Command::Print);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_FALSE(ReadJob(outputs[0], 500ms));
    EXPECT_TRUE(State() == before);
}

// The system has no printer at all for the length of a test.
class NoPrinter : public Printing {
protected:
    void SetUp() override {
        Printing::SetUp();
        folder_ = test::PortUnixFile(test::kTestPrinterPort);
        folder_ = folder_.substr(0, folder_.find_last_of(L'/'));
        test::RemoveTestPrinters();
    }
    void TearDown() override {
        Printing::TearDown();
        EXPECT_EQ(test::InstallTestPrinters(folder_), L"");
    }
    std::wstring folder_;
};

TEST_F(NoPrinter, TheErrorBoxSaysSoAfterTheWindowIsItselfAgain) {
    ASSERT_FALSE(test::HasDefaultPrinter()) << "a default printer is left";
    SetAlwaysOnTop(true);
    const WindowState before = State();
    test::TopmostRequests topmost(window->hwnd());
    Run(Command::Print);
    EXPECT_EQ(topmost.requests, (std::vector<bool>{false, true}));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, L"There is no default printer currently selected.");
    EXPECT_EQ(boxes.boxes[1].caption, L"Kiv Calendar");
    EXPECT_EQ(boxes.boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(State() == before);
}

TEST_F(Printing, TheSetupDialogChoosesThePrinterOfTheNextPrint) {
    SetAlwaysOnTop(true);
    const WindowState before = State();
    test::TopmostRequests topmost(window->hwnd());
    bool ownedByWindow = false, lowered = false;
    test::WhenWindowShows setup(L"#32770", [&](HWND dialog) {
        ownedByWindow = GetWindow(dialog, GW_OWNER) == window->hwnd();
        lowered = topmost.requests == std::vector<bool>{false};
        HWND printers = GetDlgItem(dialog, cmb1);
        SendMessageW(printers, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(test::kSecondPrinter));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    Run(Command::PrinterSetup);
    ASSERT_TRUE(setup.ran);
    EXPECT_TRUE(ownedByWindow);
    EXPECT_TRUE(lowered);
    EXPECT_TRUE(topmost.lastWasRaise());
    EXPECT_TRUE(State() == before);

    Run(Command::Print);
    const auto job = ReadJob(outputs[1]);
    ASSERT_TRUE(job) << "nothing reached the printer chosen in the dialog";
    EXPECT_EQ(job->title, "Kiv Calendar - 4 columns");
    EXPECT_FALSE(ReadJob(outputs[0], 0ms)) << "the default printer printed too";
}

}  // namespace
}  // namespace kiv
