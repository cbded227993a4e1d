// The options dialog as the user meets it: Ctrl+O, Esc, "&OK" and the
// global hot key it switches.
#include "program_test.h"

namespace kiv::e2e {
namespace {

using settings_text::kSettingsKey;
// The dialog's control ids, as its layout numbers them.
constexpr int kShowWeekNumbers = 1000 + 19;
constexpr int kShowOnlyCalendar = 1000 + 20;
constexpr int kUseHotkey = 1000 + 23;

HWND OptionsDialogOf(HWND mainWindow) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowW(L"#32770", L"Options");
            return found && IsWindowVisible(found);
        },
        kReactionTimeout);
    EXPECT_NE(found, nullptr) << "Ctrl+O opened no Options dialog";
    if (found) {
        EXPECT_EQ(GetWindow(found, GW_OWNER), mainWindow);
    }
    return found;
}

DWORD StoredValueCount() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return count;
}

bool SettingsKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class OptionsDialogTest : public ProgramTest {
protected:
    HWND StartShown() {
        HWND window = startFirst(L"");
        EXPECT_TRUE(window && becomesVisible(window));
        return window;
    }
    HWND OpenOptions(HWND window) {
        TypeKeys(window, {VK_CONTROL}, 'O');
        return OptionsDialogOf(window);
    }
    static bool Closes(HWND dialog) {
        return WaitUntil([dialog] { return !IsWindow(dialog); }, kReactionTimeout);
    }
};

TEST_F(OptionsDialogTest, CtrlOOpensItAndEscLeavesTheRegistryAlone) {
    HWND window = StartShown();
    ASSERT_NE(window, nullptr);
    HWND dialog = OpenOptions(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(window));
    TypeKeys(dialog, {}, VK_ESCAPE);
    EXPECT_TRUE(Closes(dialog));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_FALSE(SettingsKeyExists());
}

TEST_F(OptionsDialogTest, OkAppliesTheChangesAtOnceAndSavesThem) {
    HWND window = StartShown();
    ASSERT_NE(window, nullptr);
    RECT before{};
    GetClientRect(window, &before);
    HWND dialog = OpenOptions(window);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, kShowWeekNumbers);
    Click(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));
    RECT after{};
    EXPECT_TRUE(WaitUntil([&] { return GetClientRect(window, &after) && after.right > before.right; }, kReactionTimeout))
        << "week numbers did not widen the window";
    // Saved after the window took the changes.
    EXPECT_TRUE(WaitUntil([] { return StoredValueCount() == 28; }, kReactionTimeout));

    dialog = OpenOptions(window);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, kShowOnlyCalendar);
    Click(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(WaitUntil([&] { return !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION); }, kReactionTimeout));
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(OptionsDialogTest, StoredHotKeyIsHeldUntilSwitchedOff) {
    storeFlag(L"Use hotkey", true);  // the default Ctrl+Alt+C
    HWND window = StartShown();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'C')) << "the program does not hold its hot key";
    EXPECT_EQ(GetLastError(), 1409u);

    HWND dialog = OpenOptions(window);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, kUseHotkey);
    Click(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(WaitUntil([] { return RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'C') != FALSE; },
                          kReactionTimeout))
        << "switched off, the hot key was not released";
    UnregisterHotKey(nullptr, 1);
}

}  // namespace
}  // namespace kiv::e2e
