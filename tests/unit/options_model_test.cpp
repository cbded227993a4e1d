#include "options/options_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/shortcut.h"
#include "calendar/month_cal_colors.h"
#include "options/custom_colors.h"
#include "tests/unit/settings_expect_same.h"

namespace kiv {
namespace {

using enum Setting;

// Stands in for the system control: remembers what it was sent, and what
// the user typed is put straight into `shown`.
class FakeHotKeyControl final : public HotKeyControl {
public:
    void SendRules(std::uint16_t invalid, std::uint16_t modifiers) override {
        rules.push_back({invalid, modifiers});
    }
    void SendHotKey(std::uint16_t word) override { shown = word; }
    std::uint16_t ReadHotKey() const override { return shown; }

    struct Rules {
        std::uint16_t invalid, modifiers;
        bool operator==(const Rules&) const = default;
    };
    std::vector<Rules> rules;
    std::uint16_t shown = 0;
};

struct Record {
    TMonthCalColors colors;
    CalendarSettings settings;
    Record() {
        colors.Set(0, SystemColor(syscolor::AppWorkspace));
        settings.Colors = &colors;
    }
};

TEST(OptionsModel, EnablingAfterTheFillFollowsTheRecord) {
    struct Case {
        const char* what;
        bool showDate, transparent, small, toolbar, useHotkey;
        bool smallEnabled, boldEnabled, transparentEnabled, colorEnabled, largeEnabled, hotkeyEnabled;
    };
    const Case cases[] = {
        {"defaults", true, false, true, true, false, true, true, true, false, true, false},
        {"no date, transparent", false, true, true, true, false, false, false, false, true, true, false},
        {"no date, opaque", false, false, true, true, false, false, false, false, false, true, false},
        {"small numbers off", true, false, false, true, false, true, false, true, false, true, false},
        {"transparent", true, true, true, true, false, true, true, true, true, true, false},
        {"no toolbar, hot key on", true, false, true, false, true, true, true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Record r;
        r.settings.ShowDateInNotifyIcon = c.showDate;
        r.settings.TransparentIcon = c.transparent;
        r.settings.UseSmallNumbers = c.small;
        r.settings.ShowToolbar = c.toolbar;
        r.settings.UseHotkey = c.useHotkey;
        TOptionsModel m;
        m.Fill(r.settings);
        EXPECT_EQ(m.Enabled(UseSmallNumbers), c.smallEnabled);
        EXPECT_EQ(m.Enabled(BoldNumbers), c.boldEnabled);
        EXPECT_EQ(m.Enabled(TransparentIcon), c.transparentEnabled);
        EXPECT_EQ(m.Enabled(NotifyIconColor), c.colorEnabled);
        EXPECT_EQ(m.NotifyIconColorLabelEnabled(), c.colorEnabled);
        EXPECT_EQ(m.Enabled(LargeIcons), c.largeEnabled);
        EXPECT_EQ(m.Enabled(WinHotkey), c.hotkeyEnabled);
        EXPECT_EQ(m.Enabled(Hotkey), c.hotkeyEnabled);
        // Rules never touch a box's check mark.
        EXPECT_EQ(m.Checked(ShowDateInNotifyIcon), c.showDate);
        EXPECT_EQ(m.Checked(TransparentIcon), c.transparent);
        EXPECT_EQ(m.Checked(UseSmallNumbers), c.small);
    }
}

TEST(OptionsModel, RulesRunOnEveryChangeOfState) {
    Record r;
    r.settings.UseSmallNumbers = false;
    TOptionsModel m;
    m.Fill(r.settings);
    EXPECT_FALSE(m.Enabled(BoldNumbers));
    m.SetChecked(UseSmallNumbers, true);
    EXPECT_TRUE(m.Enabled(BoldNumbers));

    // Unchecking the date leaves the colour panel and its label alone.
    m.SetChecked(TransparentIcon, true);
    EXPECT_TRUE(m.Enabled(NotifyIconColor));
    m.SetChecked(ShowDateInNotifyIcon, false);
    EXPECT_FALSE(m.Enabled(UseSmallNumbers));
    EXPECT_FALSE(m.Enabled(BoldNumbers));
    EXPECT_FALSE(m.Enabled(TransparentIcon));
    EXPECT_TRUE(m.Enabled(NotifyIconColor));
    EXPECT_TRUE(m.NotifyIconColorLabelEnabled());
    // A disabled box's rule reads its enabling too.
    m.SetChecked(UseSmallNumbers, false);
    m.SetChecked(UseSmallNumbers, true);
    EXPECT_FALSE(m.Enabled(BoldNumbers));
    m.SetChecked(TransparentIcon, false);
    m.SetChecked(TransparentIcon, true);
    EXPECT_FALSE(m.Enabled(NotifyIconColor));
    EXPECT_FALSE(m.NotifyIconColorLabelEnabled());

    m.SetChecked(ShowToolbar, false);
    EXPECT_FALSE(m.Enabled(LargeIcons));
    m.SetChecked(ShowToolbar, true);
    EXPECT_TRUE(m.Enabled(LargeIcons));

    // The hot key boxes follow "Activate with hotkey:" and keep their values.
    m.SetChecked(UseHotkey, true);
    m.SetChecked(WinHotkey, true);
    m.HotKeyActivate.SetHotKey(MakeShortCut(vk::F1, kCtrl));
    EXPECT_TRUE(m.Enabled(WinHotkey));
    EXPECT_TRUE(m.Enabled(Hotkey));
    m.SetChecked(UseHotkey, false);
    EXPECT_FALSE(m.Enabled(WinHotkey));
    EXPECT_FALSE(m.Enabled(Hotkey));
    EXPECT_TRUE(m.Checked(WinHotkey));
    EXPECT_EQ(m.HotKeyActivate.HotKey(), MakeShortCut(vk::F1, kCtrl));
}

TEST(OptionsModel, WinToggleSendsTheRulesAndPutsBackTheKeptKey) {
    Record r;
    r.settings.UseHotkey = true;
    r.settings.Hotkey = MakeShortCut('K', kCtrl | kShift);
    TOptionsModel m;
    FakeHotKeyControl control;
    m.HotKeyActivate.Attach(&control);
    m.Fill(r.settings);
    EXPECT_EQ(control.shown, 0x0300 | 'K');
    control.rules.clear();

    control.shown = 0x0600 | 'Q';  // typed since: Ctrl+Alt+Q, not read yet
    m.SetChecked(WinHotkey, true);
    // Invalid combinations first, then the modifiers; the fill's key comes
    // back without modifiers and the typed one is gone.
    using Rules = FakeHotKeyControl::Rules;
    EXPECT_EQ(control.rules, (std::vector<Rules>{{hkcomb::Shift, 0x06}, {hkcomb::Shift, 0}}));
    EXPECT_EQ(control.shown, 'K');
    m.SetChecked(WinHotkey, false);
    EXPECT_EQ(control.rules.back(), (Rules{hkcomb::None | hkcomb::Shift, hotkeyf::Control | hotkeyf::Alt}));
    EXPECT_EQ(control.shown, 0x0600 | 'K');

    // What is read is kept: the next toggle shows it.
    control.shown = 0x0100 | vk::F1;
    EXPECT_EQ(m.HotKeyActivate.HotKey(), MakeShortCut(vk::F1, kShift));
    m.SetChecked(WinHotkey, true);
    EXPECT_EQ(control.shown, vk::F1);
    // Setting a rule to the value it has sends nothing.
    const size_t sent = control.rules.size();
    m.HotKeyActivate.SetInvalidKeys(hkcomb::Shift);
    m.HotKeyActivate.SetModifiers(0);
    EXPECT_EQ(control.rules.size(), sent);
}

TEST(OptionsModel, WinHotkeyInTheRecordSetsTheRulesBeforeTheKey) {
    Record r;
    r.settings.UseHotkey = r.settings.WinHotkey = true;
    r.settings.Hotkey = 'C';
    TOptionsModel m;
    FakeHotKeyControl control;
    m.HotKeyActivate.Attach(&control);
    m.Fill(r.settings);
    EXPECT_EQ(m.HotKeyActivate.InvalidKeys(), hkcomb::Shift);
    EXPECT_EQ(m.HotKeyActivate.Modifiers(), 0);
    EXPECT_EQ(control.shown, 'C');
}

TEST(OptionsModel, ReadBackWritesEveryControlIntoTheRecord) {
    Record r;
    TOptionsModel m;
    FakeHotKeyControl control;
    m.HotKeyActivate.Attach(&control);
    r.settings.ColumnsIndex = 9;
    r.settings.FirstDay = -3;
    m.Fill(r.settings);
    EXPECT_EQ(m.ItemIndex(ColumnsIndex), -1);
    EXPECT_EQ(m.ItemIndex(FirstDay), -1);
    EXPECT_EQ(m.ItemIndex(FirstMonth), 1);

    control.shown = 0x0300 | (vk::F1 + 4);  // Ctrl+Shift+F5
    m.SetChecked(AlwaysOnTop, true);
    m.SetItemIndex(FirstMonth, 12);
    m.SetPanelColor(TextColor, 0x000000FFu);
    m.SetPanelColor(NotifyIconColor, 0x0000FF00u);
    m.ReadBack(r.settings);

    EXPECT_EQ(r.settings.Hotkey, 0x6074);
    EXPECT_EQ(r.settings.ColumnsIndex, -1);
    EXPECT_EQ(r.settings.FirstDay, -1);
    EXPECT_EQ(r.settings.FirstMonth, 12);
    EXPECT_TRUE(r.settings.AlwaysOnTop);
    EXPECT_EQ(r.colors.TextColor(), 0x000000FFu);
    EXPECT_EQ(r.settings.NotifyIconColor, 0x0000FF00u);

    // Filled and read back untouched, a record comes out as it went in.
    Record twin;
    TOptionsModel again;
    again.Fill(r.settings);
    again.ReadBack(twin.settings);
    test::ExpectSameFields(twin.settings, r.settings);
}

TEST(OptionsModel, WithoutReadBackTheRecordAndItsColoursStayUntouched) {
    Record r;
    r.colors.Set(TMonthCalColors::kTitleTextColor, 0x00123456u);
    Record before;
    before.colors = r.colors;
    TOptionsModel m;
    m.Fill(r.settings);
    m.RestoreDefaultColors();
    m.SetChecked(ShowOnlyCalendar, true);
    m.SetItemIndex(ColumnsIndex, 0);
    // Cancel: the model is dropped.
    test::ExpectSameFields(r.settings, before.settings);
}

TEST(OptionsModel, RestoreGivesTheDefaultsInTheirSystemColourForm) {
    Record r;
    for (int i = 0; i < TMonthCalColors::kCount; ++i) r.colors.Set(i, 0x00010203u);
    r.settings.NotifyIconColor = 0x00FFFFFFu;
    r.settings.ShowToolbar = false;
    TOptionsModel m;
    m.Fill(r.settings);
    m.RestoreDefaultColors();
    EXPECT_EQ(m.PanelColor(BackColor), 0x8000000Cu);  // not a fresh set's window colour
    EXPECT_EQ(m.PanelColor(TextColor), 0x80000008u);
    EXPECT_EQ(m.PanelColor(TitleBackColor), 0x80000002u);
    EXPECT_EQ(m.PanelColor(TitleTextColor), 0x00FFFFFFu);
    EXPECT_EQ(m.PanelColor(MonthBackColor), 0x00FFFFFFu);
    EXPECT_EQ(m.PanelColor(TrailingTextColor), 0x80000013u);
    EXPECT_EQ(m.PanelColor(NotifyIconColor), 0u);
    EXPECT_FALSE(m.Checked(ShowToolbar));
    // They equal the defaults a new user's record saves.
    Record fresh;
    for (Setting s : {BackColor, TextColor, TitleBackColor, TitleTextColor, MonthBackColor, TrailingTextColor,
                      NotifyIconColor})
        EXPECT_EQ(m.PanelColor(s), static_cast<TColor>(SettingFor(s).field.Get(fresh.settings)));
}

TEST(OptionsModel, FillOrderCoversEachSettingOnce) {
    std::vector<int> seen(kSettingCount);
    for (Setting s : OptionsFillOrder()) ++seen[static_cast<size_t>(s)];
    EXPECT_EQ(seen, std::vector<int>(kSettingCount, 1));
}

TEST(HotKeyWord, ConvertsToAndFromShortCuts) {
    EXPECT_EQ(ShortCutToHotKeyWord(0xC043), 0x0643);
    EXPECT_EQ(ShortCutToHotKeyWord(0x6074), 0x0374);
    EXPECT_EQ(ShortCutToHotKeyWord('C'), 'C');
    EXPECT_EQ(HotKeyWordToShortCut(0x0374), 0x6074);
    // The extended-key flag has no place in a shortcut.
    EXPECT_EQ(HotKeyWordToShortCut(0x0E25), MakeShortCut(vk::Left, kCtrl | kAlt));
    for (ShortCut s : {ShortCut{0xC043}, ShortCut{0x2070}, ShortCut{0xE024}, ShortCut{0}})
        EXPECT_EQ(HotKeyWordToShortCut(ShortCutToHotKeyWord(s)), s);
}

TEST(CustomColors, FifteenSystemColoursInTheChoosersOrder) {
    const auto entries = SystemCustomColorEntries([](int index) { return 0x00000100u * static_cast<unsigned>(index); });
    ASSERT_EQ(entries.size(), 15u);
    EXPECT_EQ(entries[0], L"ColorA=000200");   // active caption
    EXPECT_EQ(entries[4], L"ColorE=000C00");   // application workspace
    EXPECT_EQ(entries[14], L"ColorO=001300");  // inactive caption text
    EXPECT_EQ(SystemCustomColorEntries([](int) { return 0x00ABCDEFu; })[1], L"ColorB=ABCDEF");

    const auto slots = CustomColorSlots(entries);
    EXPECT_EQ(slots[0], 0x000200u);
    EXPECT_EQ(slots[14], 0x001300u);
    EXPECT_EQ(slots[15], 0x00FFFFFFu);  // "ColorP" stays unset
    const auto odd = CustomColorSlots({L"ColorQ=000000", L"ColorB=", L"ColorC=12G", L"ColorD=1"});
    EXPECT_EQ(odd[1], 0x00FFFFFFu);
    EXPECT_EQ(odd[2], 0x00FFFFFFu);
    EXPECT_EQ(odd[3], 1u);
}

TEST(PickedFilePaths, OneFullPathOrAFolderAndItsNames) {
    using namespace std::string_literals;
    using Paths = std::vector<std::wstring>;
    const struct {
        std::wstring answer;  // as the open dialog fills its buffer, with the final NULs
        Paths paths;
    } cases[] = {
        {L"C:\\Cal\\holidays.ics\0\0"s, {L"C:\\Cal\\holidays.ics"}},
        {L"C:\\Cal\0a.ics\0b c.ics\0\0"s, {L"C:\\Cal\\a.ics", L"C:\\Cal\\b c.ics"}},
        {L"C:\\\0a.ics\0b.ics\0\0"s, {L"C:\\a.ics", L"C:\\b.ics"}},  // a drive root
        {L"\\\\server\\share\\\0a.ics\0\0"s, {L"\\\\server\\share\\a.ics"}},
        {L"\0\0"s, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(PickedFilePaths(c.answer.c_str()), c.paths);
}

}  // namespace
}  // namespace kiv
