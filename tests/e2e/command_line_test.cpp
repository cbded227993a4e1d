// Only the first argument, compared whole and in any letter case with
// "-quiet", keeps the window hidden at start.
#include "program_test.h"

#include <commctrl.h>

namespace kiv::e2e {
namespace {

struct StartCase {
    const wchar_t* arguments;
    bool shown;
};

std::ostream& operator<<(std::ostream& out, const StartCase& c) {
    return out << '"' << Narrow(c.arguments) << '"';
}

class CommandLineTest : public ProgramTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(CommandLineTest, DecidesWhetherTheWindowIsShown) {
    HWND window = startFirst(GetParam().arguments);
    ASSERT_NE(window, nullptr);
    if (GetParam().shown) {
        EXPECT_TRUE(becomesVisible(window));
    } else {
        EXPECT_TRUE(settlesHidden(window));
    }
}

INSTANTIATE_TEST_SUITE_P(Start, CommandLineTest,
                         ::testing::Values(StartCase{L"", true}, StartCase{L"-QUIET", false},
                                           StartCase{L"-quiet extra words", false}, StartCase{L"foo -quiet", true},
                                           StartCase{L"/quiet", true}, StartCase{L"-quietly", true}));

using DefaultStartTest = ProgramTest;

TEST_F(DefaultStartTest, ShowsTheYearWithMenuAndToolbar) {
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    wchar_t caption[64]{};
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(caption, L"Kiv Calendar");
    EXPECT_NE(GetMenu(window), nullptr) << "no menu bar";
    // The main window is not owned, so it has a taskbar button of its own.
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

    EXPECT_TRUE(FindVisibleChild(window, TOOLBARCLASSNAMEW)) << "no visible toolbar";
    EXPECT_TRUE(FindVisibleChild(window, MONTHCAL_CLASSW)) << "no visible month calendar";
}

}  // namespace
}  // namespace kiv::e2e
