#include "settings/settings_persistence.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "settings/registry_default.h"
#include "settings/settings_texts.h"
#include "calendar/month_cal_colors.h"
#include "tests/unit/settings_expect_same.h"
#include "tests/unit/settings_fake_registry.h"

namespace kiv {
namespace {

using test::ExpectSameFields;
using test::FakeRegistry;

const std::wstring kKey = settings_text::kSettingsKey;
const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kTitle = L"Kiv Calendar";
const std::wstring kPath = L"C:\\Program Files\\Kiv Calendar\\KivCalendar.exe";
const std::string kWriteError =
    "Error while writing in the Windows Registry.\rCheck that you have the proper rights.";

using test::kSaveOrder;

// What the main window's record looks like before loading: zero-filled,
// with the calendar's colour set bound and its background set.
struct Fixture {
    TMonthCalColors colors;
    CalendarSettings settings = ZeroFilled(colors);

    static CalendarSettings ZeroFilled(TMonthCalColors& colors) {
        CalendarSettings s;
        s.ShowDateInNotifyIcon = s.UseSmallNumbers = s.PrintBackgroundColors = s.ShowToolbar = s.LongDateFormat =
            false;
        s.ColumnsIndex = s.FirstMonth = 0;
        s.Hotkey = 0;
        s.Colors = &colors;
        colors.Set(0, SystemColor(syscolor::AppWorkspace));
        return s;
    }
};

// A record in which every field differs from its default.
CalendarSettings EveryFieldChanged(TMonthCalColors& colors) {
    CalendarSettings s;
    s.AlwaysOnTop = s.StartWithWindows = s.SingleClick = s.WeekNumbers = s.MultiSelect = true;
    s.ShowDateInNotifyIcon = false;
    s.TransparentIcon = true;
    s.UseSmallNumbers = false;
    s.BoldNumbers = true;
    s.PrintBackgroundColors = false;
    s.UseHotkey = s.WinHotkey = true;
    s.ShowToolbar = s.LongDateFormat = false;
    s.LargeIcons = s.CloseOnEscape = s.ShowOnlyCalendar = true;
    s.ColumnsIndex = 5;
    s.FirstMonth = 0;
    s.FirstDay = 7;
    for (int i = 0; i < TMonthCalColors::kCount; ++i) colors.Set(i, 0x00102030u + static_cast<TColor>(i));
    s.Colors = &colors;
    s.NotifyIconColor = 0x00C0FFEEu;
    s.Hotkey = 0xA070;  // Alt+Shift+F1
    return s;
}


TEST(SettingsLoad, NoKeyGivesEveryDefaultAndCreatesNothing) {
    FakeRegistry registry;
    Fixture f;
    f.colors.Set(3, 0x00123456u);  // whatever the set holds is the colours' default

    LoadSettingsFrom(registry, f.settings);

    TMonthCalColors expectedColors;
    expectedColors.Set(0, SystemColor(syscolor::AppWorkspace));
    expectedColors.Set(3, 0x00123456u);
    CalendarSettings expected;
    expected.Colors = &expectedColors;
    ExpectSameFields(f.settings, expected);
    EXPECT_TRUE(registry.keys.empty());
    EXPECT_FALSE(registry.HasOpenKey());
    EXPECT_EQ(registry.opens, std::vector<std::wstring>{kKey});
}

TEST(SettingsLoad, ReadsEveryValueOnceInItsOrder) {
    FakeRegistry registry;
    registry.Values(kKey);
    Fixture f;
    LoadSettingsFrom(registry, f.settings);
    const std::vector<std::wstring> expected = {
        L"Always on top", L"Start with Windows", L"Single click", L"Close on Escape", L"Multiple day selection",
        L"Show date in tray bar icon", L"Use small numbers", L"Bold numbers", L"Transparent icon", L"First month",
        L"First day", L"Columns", L"Back color", L"Title back color", L"Text color", L"Title Text color",
        L"Month back color", L"Trailing text color", L"Notify icon color", L"Week numbers", L"Show only calendar",
        L"Toolbar", L"Print background colors", L"Use hotkey", L"Win hotkey", L"Hotkey",
        L"Tray icon long date format", L"Use large icons"};
    EXPECT_EQ(registry.reads, expected);
    EXPECT_FALSE(registry.HasOpenKey());
}

TEST(SettingsLoad, UnreadableValuesFallBackOneByOne) {
    FakeRegistry registry;
    registry.SetText(kKey, L"Columns", L"2");
    registry.SetText(kKey, L"Toolbar", L"0");            // a string is no boolean, whatever it says
    registry.SetInteger(kKey, L"Always on top", 7);     // any non-zero counts as on
    registry.SetInteger(kKey, L"Use small numbers", 0);
    registry.SetInteger(kKey, L"Hotkey", 0x1C043);
    registry.SetInteger(kKey, L"Back color", 0x8000000Cu);
    registry.SetInteger(kKey, L"Text color", 0x000000FFu);
    Fixture f;
    LoadSettingsFrom(registry, f.settings);

    EXPECT_EQ(f.settings.ColumnsIndex, 3);
    EXPECT_TRUE(f.settings.ShowToolbar);
    EXPECT_TRUE(f.settings.AlwaysOnTop);
    EXPECT_FALSE(f.settings.UseSmallNumbers);
    EXPECT_EQ(f.settings.Hotkey, 0xC043);
    EXPECT_EQ(f.colors.Get(0), SystemColor(syscolor::AppWorkspace));
    EXPECT_EQ(f.colors.Get(1), 0x000000FFu);
}

TEST(SettingsLoad, ReaderDefaultBoolFeedsWeekNumbersAndHotkeyFlags) {
    // These three take the reader's default, not the table's; both are false today.
    FakeRegistry registry;
    registry.Values(kKey);
    Fixture f;
    f.settings.WeekNumbers = f.settings.UseHotkey = f.settings.WinHotkey = true;
    LoadSettingsFrom(registry, f.settings);
    EXPECT_FALSE(f.settings.WeekNumbers);
    EXPECT_FALSE(f.settings.UseHotkey);
    EXPECT_FALSE(f.settings.WinHotkey);
}

TEST(SettingsLoad, NumbersOutsideTheirRanges) {
    struct Case {
        std::uint32_t stored;
        std::int32_t firstMonth;
    };
    for (Case c : {Case{0, 0}, Case{12, 12}, Case{13, 1}, Case{0xFFFFFFFFu, 1}, Case{0x80000000u, 1}}) {
        FakeRegistry registry;
        registry.SetInteger(kKey, L"First month", c.stored);
        registry.SetInteger(kKey, L"Columns", 9);
        registry.SetInteger(kKey, L"First day", 0xFFFFFFFFu);
        Fixture f;
        LoadSettingsFrom(registry, f.settings);
        EXPECT_EQ(f.settings.FirstMonth, c.firstMonth) << c.stored;
        // Columns and first day are checked where they are applied, so they load as stored.
        EXPECT_EQ(f.settings.ColumnsIndex, 9);
        EXPECT_EQ(f.settings.FirstDay, -1);
    }
}

TEST(SettingsLoad, SystemColoursThatNameNoSystemColourReadAsTheDefault) {
    const TColor fallback = 0x00123456u;
    struct Case {
        std::uint32_t stored;
        TColor loaded;
    };
    for (Case c : {Case{0xFFFFFFFFu, fallback}, Case{0x8000001Fu, fallback}, Case{0x80000019u, fallback},
                   Case{0x80000105u, fallback}, Case{0x8000001Eu, 0x8000001Eu}, Case{0x80000000u, 0x80000000u},
                   Case{0x00FFFFFFu, 0x00FFFFFFu}}) {
        FakeRegistry registry;
        registry.SetInteger(kKey, L"Text color", c.stored);
        registry.SetInteger(kKey, L"Notify icon color", c.stored);
        Fixture f;
        f.colors.Set(TMonthCalColors::kTextColor, fallback);
        f.settings.NotifyIconColor = fallback;
        LoadSettingsFrom(registry, f.settings);
        EXPECT_EQ(f.colors.TextColor(), c.loaded) << std::hex << c.stored;
        EXPECT_EQ(f.settings.NotifyIconColor, c.loaded) << std::hex << c.stored;
        // What is stored stays as it is.
        EXPECT_EQ(registry.keys[kKey][L"Text color"].integer, c.stored);
    }
}

TEST(SettingsLoad, AFailureThatIsNotAnUnreadableValuePropagates) {
    class OutOfMemory final : public RegistryStore {
        bool OpenKey(const std::wstring&, bool) override { return true; }
        void CloseKey() noexcept override { closed = true; }
        std::int32_t ReadInteger(const std::wstring&) override { throw std::bad_alloc(); }
        void WriteInteger(const std::wstring&, std::int32_t) override {}
        void WriteString(const std::wstring&, const std::wstring&) override {}
        void DeleteValue(const std::wstring&) override {}

    public:
        bool closed = false;
    } registry;
    Fixture f;
    EXPECT_THROW(LoadSettingsFrom(registry, f.settings), std::bad_alloc);
    EXPECT_TRUE(registry.closed);
}

TEST(SettingsLoad, UnboundColourSetIsRefused) {
    FakeRegistry registry;
    CalendarSettings settings;
    EXPECT_THROW(LoadSettingsFrom(registry, settings), std::logic_error);
}

TEST(RegistryDefault, ReadersYieldTheirDefaultForAnythingUnreadable) {
    FakeRegistry registry;
    registry.SetInteger(kKey, L"seven", 7);
    registry.SetText(kKey, L"text", L"1");
    TRegistryDefault reader(registry);
    // No key open yet: everything is unreadable.
    EXPECT_TRUE(reader.ReadBoolDefault(L"seven", true));
    EXPECT_EQ(reader.ReadIntegerDefault(L"seven", -5), -5);

    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_TRUE(reader.ReadBoolDefault(L"seven", false));
    EXPECT_EQ(reader.ReadIntegerDefault(L"seven", 0), 7);
    EXPECT_TRUE(reader.ReadBoolDefault(L"text", true));
    EXPECT_FALSE(reader.ReadBoolDefault(L"text"));
    reader.DefaultBool = true;
    EXPECT_TRUE(reader.ReadBoolDefault(L"missing"));
    EXPECT_EQ(reader.ReadIntegerDefault(L"text", 42), 42);
}

TEST(SettingsSave, WritesEveryValueInOrderThenTheRunEntry) {
    FakeRegistry registry;
    Fixture f;
    CalendarSettings settings;
    settings.Colors = &f.colors;
    settings.StartWithWindows = true;

    EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), std::nullopt);

    std::vector<std::wstring> expected = kSaveOrder;
    expected.push_back(kTitle);
    EXPECT_EQ(registry.writes, expected);
    EXPECT_EQ(registry.opens, (std::vector<std::wstring>{kKey + L" (create)", kRun + L" (create)"}));
    EXPECT_FALSE(registry.HasOpenKey());
    auto& values = registry.Values(kKey);
    EXPECT_EQ(values.size(), 28u);
    for (const auto& [name, value] : values) EXPECT_TRUE(value.isInteger) << std::string(name.begin(), name.end());
    EXPECT_EQ(values[L"Back color"].integer, 0x8000000Cu);
    EXPECT_EQ(values[L"Text color"].integer, 0x80000008u);
    EXPECT_EQ(values[L"Title back color"].integer, 0x80000002u);
    EXPECT_EQ(values[L"Title Text color"].integer, 0x00FFFFFFu);
    EXPECT_EQ(values[L"Trailing text color"].integer, 0x80000013u);
    EXPECT_EQ(values[L"Hotkey"].integer, 0xC043u);
    EXPECT_EQ(values[L"Columns"].integer, 3u);
    EXPECT_EQ(values[L"Toolbar"].integer, 1u);
    EXPECT_EQ(values[L"Always on top"].integer, 0u);
    auto& run = registry.Values(kRun)[kTitle];
    EXPECT_FALSE(run.isInteger);
    EXPECT_EQ(run.text, L"\"" + kPath + L"\" -quiet");
}

TEST(SettingsSave, EveryFieldSurvivesARoundTrip) {
    FakeRegistry registry;
    TMonthCalColors savedColors;
    CalendarSettings saved = EveryFieldChanged(savedColors);
    ASSERT_EQ(SaveSettingsTo(registry, saved, kTitle, kPath), std::nullopt);

    Fixture f;
    LoadSettingsFrom(registry, f.settings);
    ExpectSameFields(f.settings, saved);

    // And the defaults come back as defaults, system colours included.
    FakeRegistry second;
    TMonthCalColors defaultColors;
    defaultColors.Set(0, SystemColor(syscolor::AppWorkspace));
    CalendarSettings defaults;
    defaults.Colors = &defaultColors;
    ASSERT_EQ(SaveSettingsTo(second, defaults, kTitle, kPath), std::nullopt);
    Fixture g;
    g.colors.Set(0, kBlack);
    LoadSettingsFrom(second, g.settings);
    ExpectSameFields(g.settings, defaults);
}

TEST(SettingsSave, RunEntryFollowsStartWithWindows) {
    FakeRegistry registry;
    Fixture f;
    CalendarSettings settings;
    settings.Colors = &f.colors;

    // Nothing to delete yet: still a success.
    EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), std::nullopt);
    EXPECT_EQ(registry.Values(kRun).count(kTitle), 0u);

    registry.SetText(kRun, L"Other program", L"other.exe");
    settings.StartWithWindows = true;
    ASSERT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), std::nullopt);
    EXPECT_EQ(registry.Values(kRun).count(kTitle), 1u);

    settings.StartWithWindows = false;
    ASSERT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), std::nullopt);
    EXPECT_EQ(registry.Values(kRun).count(kTitle), 0u);
    EXPECT_EQ(registry.Values(kRun).count(L"Other program"), 1u);
}

TEST(SettingsSave, FailuresStopTheSaveWhereTheyHappen) {
    Fixture f;
    CalendarSettings settings;
    settings.Colors = &f.colors;
    settings.StartWithWindows = true;

    {
        SCOPED_TRACE("settings key cannot be created");
        FakeRegistry registry;
        registry.uncreatableKeys = {kKey};
        EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), "Operation aborted");
        EXPECT_TRUE(registry.writes.empty());
        EXPECT_TRUE(registry.keys.empty());
    }
    {
        SCOPED_TRACE("Run key cannot be created");
        FakeRegistry registry;
        registry.uncreatableKeys = {kRun};
        EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), "Operation aborted");
        EXPECT_EQ(registry.writes, kSaveOrder);
        EXPECT_FALSE(registry.HasOpenKey());
    }
    {
        SCOPED_TRACE("a value is refused");
        FakeRegistry registry;
        registry.failingWrite = L"First day";
        EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), kWriteError);
        EXPECT_EQ(registry.writes, std::vector<std::wstring>(kSaveOrder.begin(), kSaveOrder.begin() + 11));
        EXPECT_EQ(registry.keys.count(kRun), 0u);
        EXPECT_FALSE(registry.HasOpenKey());
    }
    {
        SCOPED_TRACE("the Run entry is refused");
        FakeRegistry registry;
        registry.failingWrite = kTitle;
        EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), kWriteError);
        EXPECT_FALSE(registry.HasOpenKey());
    }
    {
        SCOPED_TRACE("some other failure");
        FakeRegistry registry;
        registry.brokenWrite = L"Hotkey";
        EXPECT_EQ(SaveSettingsTo(registry, settings, kTitle, kPath), "The disk is on fire");
        EXPECT_EQ(registry.writes.size(), 25u);
        EXPECT_FALSE(registry.HasOpenKey());
    }
    {
        SCOPED_TRACE("no colour set");
        FakeRegistry registry;
        CalendarSettings unbound;
        EXPECT_NE(SaveSettingsTo(registry, unbound, kTitle, kPath), std::nullopt);
        EXPECT_TRUE(registry.keys.empty());
    }
}

TEST(SettingsSave, MarkedDayFilesRoundTripAsOneMultiStringValueAbsentWhenEmpty) {
    for (const std::vector<std::wstring>& files : std::vector<std::vector<std::wstring>>{
             {}, {L"C:\\a.ics"}, {L"C:\\a.ics", L"D:\\Feiertage ü.ics", L"\\\\server\\share\\b.ics"}}) {
        FakeRegistry registry;
        Fixture saved;
        saved.settings.MarkedDayFiles = files;
        ASSERT_EQ(SaveSettingsTo(registry, saved.settings, kTitle, kPath), std::nullopt);
        EXPECT_EQ(registry.Values(kKey).size(), files.empty() ? 28u : 29u);
        Fixture f;
        f.settings.MarkedDayFiles = {L"stale.ics"};
        LoadSettingsFrom(registry, f.settings);
        EXPECT_EQ(f.settings.MarkedDayFiles, files);
    }
    // Stored as something else, the value means no files.
    FakeRegistry registry;
    registry.SetText(kKey, L"Marked day files", L"C:\\a.ics");
    Fixture f;
    LoadSettingsFrom(registry, f.settings);
    EXPECT_TRUE(f.settings.MarkedDayFiles.empty());
}

}  // namespace
}  // namespace kiv
