// The close box and Alt+F4 only hide the window; Alt+X and the end of the
// session end the program and free the single-instance mutex for the next
// start.
#include "program_test.h"

#include "app/main_menu.h"

namespace kiv::e2e {
namespace {

using CloseAndExitTest = ProgramTest;

TEST_F(CloseAndExitTest, CloseBoxHidesTheWindowAndTheProgramKeepsRunning) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);

    EXPECT_TRUE(becomesHidden(window));
    EXPECT_TRUE(Settle(window)) << "the close box ended the program";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(instanceMutexExists());
}

TEST_F(CloseAndExitTest, AltF4HidesTheWindowAndTheProgramKeepsRunning) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    TypeAltKey(window, VK_F4);

    EXPECT_TRUE(becomesHidden(window));
    EXPECT_TRUE(Settle(window)) << "Alt+F4 ended the program";
}

TEST_F(CloseAndExitTest, MinimiseStillMinimisesInsteadOfHiding) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);

    EXPECT_TRUE(WaitUntil([window] { return IsIconic(window) != FALSE; }, kReactionTimeout));
    EXPECT_TRUE(IsWindowVisible(window)) << "minimising hid the window";
    EXPECT_TRUE(driver_->isRunning(id));
}

TEST_F(CloseAndExitTest, AltXEndsTheProgramAndTheNextStartRunsAsFirstCopy) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    ASSERT_TRUE(instanceMutexExists());

    const KeyRoute route = TypeAltKey(window, 'X');
    RecordProperty("key_route", route == KeyRoute::Input ? "SendInput" : "posted messages");

    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(driver_->waitForExit(id, kReactionTimeout, &exitCode)) << "Alt+X did not end the program";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(instanceMutexExists()) << "the mutex outlived the program";
    EXPECT_EQ(driver_->runningCopies(), 0);

    HWND next = startFirst(L"");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(becomesVisible(next));
    EXPECT_TRUE(Settle(next)) << "the next start did not stay";
    EXPECT_TRUE(instanceMutexExists());
}

TEST_F(CloseAndExitTest, TheEndOfTheSessionEndsTheProgram) {
    DWORD id = 0;
    HWND window = startFirst(L"", &id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000,
                                    &answer));
    EXPECT_TRUE(answer) << "the program refused to let the session end";
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer);

    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(driver_->waitForExit(id, kReactionTimeout, &exitCode)) << "the program outlived the session";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(instanceMutexExists());
}

// The tray menu's Exit stays at hand while a box of the window is open. From
// every box the program ends about as quickly as from the bare window (Wine
// without a window manager waits up to two seconds for each shown window that
// goes), quietly, and frees its mutex for the next start.
TEST_F(CloseAndExitTest, ExitEndsTheProgramPromptlyFromEveryBox) {
    struct State {
        const char* name;
        Command open;
        const wchar_t* boxClass;
        const wchar_t* caption;
    };
    const State states[] = {
        {"no box", Command::None, nullptr, nullptr},
        {"go to year", Command::GoToYear, L"#32770", L"Go to year"},
        {"about", Command::About, L"#32770", L"About"},
        {"options", Command::Options, L"#32770", L"Options"},
        {"help", Command::ViewHelp, L"TfShowHtml", L"Kiv Calendar Help"},
    };
    std::chrono::milliseconds bare{};
    for (const State& state : states) {
        SCOPED_TRACE(state.name);
        DWORD id = 0;
        HWND window = startFirst(L"", &id);
        ASSERT_TRUE(window && becomesVisible(window));
        const auto command = [window](Command c) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c), 0), 0);
        };
        HWND box = nullptr;
        if (state.boxClass) {
            command(state.open);
            ASSERT_TRUE(WaitUntil(
                [&] {
                    box = FindWindowW(state.boxClass, state.caption);
                    return box && IsWindowVisible(box);
                },
                10s));
        }
        bool otherBox = false;
        const auto asked = std::chrono::steady_clock::now();
        command(Command::Exit);
        ASSERT_TRUE(WaitUntil(
            [&] {
                // A message box on top of the box, shown or only made: it has no place here.
                const HWND top = FindProcessWindow(id, L"#32770");
                otherBox = otherBox || (top && top != box);
                return !driver_->isRunning(id);
            },
            20s))
            << "the program is still running";
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
        RecordProperty(std::string("exit_ms_") + state.name, static_cast<int>(took.count()));
        EXPECT_FALSE(otherBox) << "a box came up while the program was ending";
        EXPECT_FALSE(instanceMutexExists()) << "the mutex outlived the program";
        if (!state.boxClass) bare = took;
        EXPECT_LT(took, bare + 1s) << "ending took " << took.count() << " ms instead of " << bare.count();
    }
    HWND next = startFirst(L"");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(becomesVisible(next));
}

}  // namespace
}  // namespace kiv::e2e
