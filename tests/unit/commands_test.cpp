#include <gtest/gtest.h>

#include <set>

#include "app/command_line.h"
#include "app/main_menu.h"
#include "settings/shortcut.h"

namespace kiv {
namespace {

TEST(QuietStart, OnlyTheFirstArgumentWholeAndInAnyCase) {
    EXPECT_TRUE(IsQuietStart({L"-quiet"}));
    EXPECT_TRUE(IsQuietStart({L"-QUIET"}));
    EXPECT_TRUE(IsQuietStart({L"-Quiet", L"more"}));
    EXPECT_FALSE(IsQuietStart({}));
    EXPECT_FALSE(IsQuietStart({L"foo", L"-quiet"}));
    EXPECT_FALSE(IsQuietStart({L"/quiet"}));
    EXPECT_FALSE(IsQuietStart({L"-quieter"}));
    EXPECT_FALSE(IsQuietStart({L" -quiet"}));
}

TEST(ShortCuts, ReadAsTheMenuShowsThem) {
    EXPECT_EQ(ShortCutToText(MakeShortCut('P', kCtrl)), L"Ctrl+P");
    EXPECT_EQ(ShortCutToText(MakeShortCut('X', kAlt)), L"Alt+X");
    EXPECT_EQ(ShortCutToText(MakeShortCut(vk::Home, kCtrl)), L"Ctrl+Home");
    EXPECT_EQ(ShortCutToText(MakeShortCut('0', kCtrl)), L"Ctrl+0");
    EXPECT_EQ(ShortCutToText(MakeShortCut(vk::F1)), L"F1");
    EXPECT_EQ(ShortCutToText(MakeShortCut(vk::Escape)), L"Esc");
    EXPECT_EQ(ShortCutToText(MakeShortCut(vk::Back, kShift | kAlt)), L"Shift+Alt+Backspace");
    EXPECT_EQ(ShortCutToText(0), L"");
}

TEST(ShortCuts, BecomeHotKeyKeyAndModifiers) {
    EXPECT_EQ(ShortCutToHotKey(0xC043, false), (HotKeyParts{0x43, 3}));
    EXPECT_EQ(ShortCutToHotKey(0xC043, true), (HotKeyParts{0x43, 11}));
    EXPECT_EQ(ShortCutToHotKey(0x0043, true), (HotKeyParts{0x43, 8}));
    EXPECT_EQ(ShortCutToHotKey(0x2070, false), (HotKeyParts{0x70, 4}));
}

TEST(MainMenu, ColumnItemsFormOneRadioGroupTaggedWithTheirCounts) {
    std::set<int> tags;
    for (int columns : {1, 2, 3, 4, 6, 12}) {
        const Command c = ColumnsCommand(columns);
        ASSERT_NE(c, Command::None) << columns;
        EXPECT_EQ(ColumnsOf(c), columns);
        tags.insert(ColumnsOf(c));
    }
    EXPECT_EQ(tags.size(), 6u);
    EXPECT_EQ(ColumnsCommand(5), Command::None);
    EXPECT_EQ(ColumnsOf(Command::Today), 0);
}

TEST(MainMenu, NoTwoItemsShareAShortcutOrACommand) {
    std::set<ShortCut> shortcuts;
    std::set<Command> commands;
    for (const auto& menu : MainMenuDef())
        for (const auto& item : menu.items) {
            if (item.command == Command::None) continue;
            EXPECT_TRUE(commands.insert(item.command).second) << static_cast<int>(item.command);
            if (item.shortcut) {
                EXPECT_TRUE(shortcuts.insert(item.shortcut).second) << item.shortcut;
            }
        }
    EXPECT_EQ(commands.size(), 20u);
}

}  // namespace
}  // namespace kiv
