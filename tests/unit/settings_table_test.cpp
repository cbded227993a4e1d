#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/month_cal_colors.h"
#include "tests/unit/settings_expect_same.h"

namespace kiv {
namespace {

TEST(SettingsTable, NamesFollowTheStoredLayoutAndIdsTheirPlace) {
    std::vector<std::wstring> names;
    for (const SettingEntry& e : SettingsTable()) {
        EXPECT_EQ(&SettingFor(e.id), &e);
        names.push_back(e.name);
    }
    EXPECT_EQ(names, test::kSaveOrder);
}

TEST(SettingsTable, FixedDefaultsAreTheRecordsOwn) {
    // The record's initial values and the table's defaults are two spellings
    // of the same thing; a fresh record must load as it starts.
    TMonthCalColors colors;
    CalendarSettings fresh;
    fresh.Colors = &colors;
    CalendarSettings zero;
    zero.Colors = &colors;
    for (const SettingEntry& e : SettingsTable()) {
        if (e.fallback == Fallback::Fixed) {
            EXPECT_EQ(e.field.Get(fresh), e.defaultValue) << std::string(e.name, e.name + wcslen(e.name));
            e.field.Set(zero, 0);
        }
    }
    EXPECT_EQ(zero.ColumnsIndex, 0);
    EXPECT_FALSE(zero.ShowToolbar);
}

TEST(SettingsTable, FieldsKeepTheirStoredForms) {
    TMonthCalColors colors;
    CalendarSettings s;
    s.Colors = &colors;
    SettingFor(Setting::Hotkey).field.Set(s, 0x1C043);
    EXPECT_EQ(s.Hotkey, 0xC043);
    SettingFor(Setting::AlwaysOnTop).field.Set(s, 7);
    EXPECT_EQ(SettingFor(Setting::AlwaysOnTop).field.Get(s), 1);
    SettingFor(Setting::TitleTextColor).field.Set(s, static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(colors.TitleTextColor(), 0x80000005u);
    CalendarSettings unbound;
    EXPECT_THROW(SettingFor(Setting::BackColor).field.Get(unbound), std::logic_error);
}

}  // namespace
}  // namespace kiv
