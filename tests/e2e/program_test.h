// The fixture of the end-to-end tests: every test starts from the default
// settings and leaves no copy of the program behind, pass or fail.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "program_driver.h"
#include "settings/settings_texts.h"

namespace kiv::e2e {

using namespace std::chrono_literals;

// Generous: the first start in a fresh Wine prefix loads the common controls.
inline constexpr auto kStartTimeout = 20s;
inline constexpr auto kReactionTimeout = 5s;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a copy that should become the running one; fails the test if no
    // main window turns up.
    HWND startFirst(const std::wstring& arguments, DWORD* processId = nullptr);
    // Waits until the window is shown, or hidden; true if it got there.
    static bool becomesVisible(HWND window);
    static bool becomesHidden(HWND window);
    // True if the window is hidden, or shown, once the program has taken
    // everything sent, typed or posted to it so far, and idled.
    static bool settlesHidden(HWND window) { return Settle(window) && !IsWindowVisible(window); }
    static bool settlesShown(HWND window) { return Settle(window) && IsWindowVisible(window); }
    // For what comes through another program (a click on the tray icon): true
    // if the window stays hidden, or shown, for the whole period.
    static bool staysHidden(HWND window, std::chrono::milliseconds period);
    static bool staysShown(HWND window, std::chrono::milliseconds period);
    // Starts a further copy and follows it until it ends: it must end soon,
    // and never own a window of the program's class or any visible window.
    void startSecondCopy(const std::wstring& arguments);

    static bool instanceMutexExists();
    // Stores one setting as the program keeps a flag or a number, before it starts.
    static void storeFlag(const wchar_t* name, bool on) { storeNumber(name, on ? 1 : 0); }
    static void storeNumber(const wchar_t* name, DWORD value);

    std::unique_ptr<ProgramDriver> driver_;
};

}  // namespace kiv::e2e
