// Loading and saving the settings against the real registry, with the
// current user's root redirected to a throw-away key.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/calendar_settings.h"
#include "settings/registry_win.h"
#include "settings/settings_registry_win.h"
#include "settings/settings_texts.h"
#include "calendar/month_cal_colors.h"
#include "tests/unit/settings_expect_same.h"
#include "widgets/message_box_win.h"

namespace kiv {
namespace {

using test::ExpectSameFields;

const wchar_t* const kKey = settings_text::kSettingsKey;
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kTitle[] = L"Kiv Calendar";

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

class SettingsRegistry : public testing::Test {
protected:
    void SetUp() override { Redirect(REG_OPTION_NON_VOLATILE); }

    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        stand_in_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, standInPath_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, standInPath_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KivTests");  // only once it is empty
    }

    void Redirect(DWORD options) {
        if (stand_in_) TearDown();
        standInPath_ = L"Software\\KivTests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(GetTickCount64());
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, standInPath_.c_str(), 0, nullptr, options, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        stand_in_.reset(key);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    }

    // The record as the main window hands it over: calendar colours bound,
    // the background set to the application-workspace colour.
    CalendarSettings Fresh(TMonthCalColors& colors) {
        colors.Set(0, SystemColor(syscolor::AppWorkspace));
        CalendarSettings s;
        s.Colors = &colors;
        return s;
    }

    static void Put(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        UniqueRegKey owner(h);
        ASSERT_EQ(RegSetValueExW(h, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    static void PutDword(const wchar_t* name, DWORD value) { Put(kKey, name, REG_DWORD, &value, sizeof value); }
    static void PutText(const wchar_t* name, const std::wstring& text) {
        Put(kKey, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    static std::vector<std::pair<std::wstring, RawValue>> ValuesOf(const wchar_t* key) {
        std::vector<std::pair<std::wstring, RawValue>> out;
        HKEY h = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return out;
        UniqueRegKey owner(h);
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            BYTE data[1024];
            DWORD size = sizeof data;
            RawValue value;
            if (RegEnumValueW(h, i, name, &nameLength, nullptr, &value.type, data, &size) != ERROR_SUCCESS) break;
            value.data.assign(data, data + size);
            out.emplace_back(name, value);
        }
        return out;
    }
    static std::optional<RawValue> ValueOf(const wchar_t* key, const std::wstring& name) {
        for (auto& [n, v] : ValuesOf(key))
            if (n == name) return v;
        return std::nullopt;
    }
    static DWORD DwordOf(const RawValue& v) {
        DWORD d = 0;
        EXPECT_EQ(v.data.size(), 4u);
        if (v.data.size() == 4) std::memcpy(&d, v.data.data(), 4);
        return d;
    }
    DWORD SubkeyCount() const {
        DWORD subkeys = 0;
        RegQueryInfoKeyW(stand_in_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        return subkeys;
    }

    UniqueRegKey stand_in_;
    std::wstring standInPath_;
};


// Answers the one box a test expects, and puts the failing handler back.
class ExpectedBox {
public:
    ExpectedBox()
        : previous_(SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
              texts.push_back(text);
              captions.push_back(caption);
              types.push_back(type);
              return IDOK;
          })) {}
    ~ExpectedBox() { SetMessageBoxHandler(previous_); }

    std::vector<std::wstring> texts, captions;
    std::vector<UINT> types;

private:
    MessageBoxHandler previous_;
};

TEST_F(SettingsRegistry, NoKeyGivesEveryDefaultAndCreatesNothing) {
    TMonthCalColors colors;
    CalendarSettings settings = Fresh(colors);
    settings.ShowToolbar = false;
    settings.Hotkey = 0;
    ReadSettingsFromRegistry(settings);

    TMonthCalColors expectedColors;
    CalendarSettings expected = Fresh(expectedColors);
    ExpectSameFields(settings, expected);
    EXPECT_EQ(SubkeyCount(), 0u);
}

TEST_F(SettingsRegistry, FirstSaveCreatesEveryValueAndReadsBackEqual) {
    TMonthCalColors colors;
    CalendarSettings saved = Fresh(colors);
    SaveSettings(nullptr, saved);

    const std::set<std::wstring> names(test::kSaveOrder.begin(), test::kSaveOrder.end());
    // Written under the stand-in, so the redirection holds.
    EXPECT_EQ(SubkeyCount(), 1u);
    std::set<std::wstring> found;
    for (auto& [name, value] : ValuesOf(kKey)) {
        found.insert(name);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << std::string(name.begin(), name.end());
        EXPECT_EQ(value.data.size(), 4u);
    }
    EXPECT_EQ(found, names);
    // A system colour is stored as such, not as what it looks like today.
    EXPECT_EQ(DwordOf(*ValueOf(kKey, L"Back color")), 0x8000000Cu);
    EXPECT_EQ(DwordOf(*ValueOf(kKey, L"Hotkey")), 0xC043u);
    // Not starting with Windows, and no entry to delete: silently fine.
    EXPECT_FALSE(ValueOf(kRun, kTitle));

    TMonthCalColors loadedColors;
    loadedColors.Set(0, kBlack);
    CalendarSettings loaded;
    loaded.Colors = &loadedColors;
    ReadSettingsFromRegistry(loaded);
    ExpectSameFields(loaded, saved);

    // Every field changed, and back.
    saved.AlwaysOnTop = saved.SingleClick = saved.WeekNumbers = saved.MultiSelect = saved.TransparentIcon = true;
    saved.ShowDateInNotifyIcon = saved.UseSmallNumbers = saved.PrintBackgroundColors = saved.ShowToolbar = false;
    saved.BoldNumbers = saved.UseHotkey = saved.WinHotkey = saved.LargeIcons = saved.CloseOnEscape = true;
    saved.LongDateFormat = false;
    saved.ShowOnlyCalendar = true;
    saved.ColumnsIndex = 0;
    saved.FirstMonth = 12;
    saved.FirstDay = 7;
    for (int i = 0; i < TMonthCalColors::kCount; ++i) colors.Set(i, 0x00010203u * static_cast<TColor>(i + 1));
    saved.NotifyIconColor = 0x00FF8000u;
    saved.Hotkey = 0x6070;
    SaveSettings(nullptr, saved);
    ReadSettingsFromRegistry(loaded);
    ExpectSameFields(loaded, saved);
}

TEST_F(SettingsRegistry, ValuesOfTheWrongKindReadAsTheirDefaults) {
    PutText(L"Columns", L"2");
    PutText(L"Use small numbers", L"0");
    const BYTE zero[4] = {0, 0, 0, 0};
    Put(kKey, L"Toolbar", REG_BINARY, zero, sizeof zero);
    const BYTE shortOne[2] = {1, 0};
    Put(kKey, L"Bold numbers", REG_DWORD, shortOne, sizeof shortOne);
    const BYTE wide[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    Put(kKey, L"First day", REG_QWORD, wide, sizeof wide);
    PutDword(L"Always on top", 7);
    PutDword(L"Hotkey", 0x1C043);

    TMonthCalColors colors;
    CalendarSettings settings = Fresh(colors);
    settings.WeekNumbers = settings.UseHotkey = settings.WinHotkey = true;
    ReadSettingsFromRegistry(settings);

    EXPECT_EQ(settings.ColumnsIndex, 3);
    EXPECT_TRUE(settings.UseSmallNumbers);
    EXPECT_TRUE(settings.ShowToolbar);
    EXPECT_FALSE(settings.BoldNumbers);
    EXPECT_EQ(settings.FirstDay, 0);
    EXPECT_TRUE(settings.AlwaysOnTop);
    EXPECT_EQ(settings.Hotkey, 0xC043);
    EXPECT_FALSE(settings.WeekNumbers);
    EXPECT_FALSE(settings.UseHotkey);
    EXPECT_FALSE(settings.WinHotkey);

    // What was read is what is saved: a plain on, and the kinds put right.
    SaveSettings(nullptr, settings);
    EXPECT_EQ(DwordOf(*ValueOf(kKey, L"Always on top")), 1u);
    EXPECT_EQ(DwordOf(*ValueOf(kKey, L"Columns")), 3u);
    EXPECT_EQ(DwordOf(*ValueOf(kKey, L"Hotkey")), 0xC043u);
}

TEST_F(SettingsRegistry, RunEntryIsWrittenQuotedAndDeletedAgain) {
    TMonthCalColors colors;
    CalendarSettings settings = Fresh(colors);
    settings.StartWithWindows = true;
    SaveSettings(nullptr, settings);

    auto entry = ValueOf(kRun, kTitle);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->type, static_cast<DWORD>(REG_SZ));
    const std::wstring expected = L"\"" + ProgramPath() + L"\" -quiet";
    ASSERT_EQ(entry->data.size(), (expected.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(entry->data.data())), expected);

    settings.StartWithWindows = false;
    SaveSettings(nullptr, settings);
    EXPECT_FALSE(ValueOf(kRun, kTitle));
    SaveSettings(nullptr, settings);
    EXPECT_FALSE(ValueOf(kRun, kTitle));
}

TEST_F(SettingsRegistry, KeyThatCannotBeCreatedAbortsAndWritesNothing) {
    // Under a volatile key no lasting key can be made.
    Redirect(REG_OPTION_VOLATILE);
    TMonthCalColors colors;
    CalendarSettings settings = Fresh(colors);
    settings.StartWithWindows = true;
    {
        ExpectedBox box;
        SaveSettings(nullptr, settings);
        ASSERT_EQ(box.texts.size(), 1u);
        EXPECT_EQ(box.texts[0], L"Operation aborted");
        EXPECT_EQ(box.captions[0], L"Error");
        EXPECT_EQ(box.types[0], static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
    EXPECT_EQ(SubkeyCount(), 0u);
}

TEST_F(SettingsRegistry, RegistryKeepsOneOpenKeyAndFailsUnreadableReads) {
    PutDword(L"Columns", 2);
    TRegistry registry(KEY_READ);
    EXPECT_THROW(registry.ReadInteger(L"Columns"), ERegistryException);
    EXPECT_EQ(registry.TryReadInteger(L"Columns"), std::nullopt);
    ASSERT_TRUE(registry.OpenKey(L"Software", false));
    // Relative to the open key, then from the root again.
    ASSERT_TRUE(registry.OpenKey(L"Kiv Soft\\Calendar", false));
    EXPECT_EQ(registry.ReadInteger(L"Columns"), 2);
    EXPECT_EQ(registry.TryReadInteger(L"Columns"), 2);
    ASSERT_TRUE(registry.OpenKey(L"\\Software\\Kiv Soft", false));
    EXPECT_THROW(registry.ReadInteger(L"Columns"), ERegistryException);
    EXPECT_EQ(registry.TryReadInteger(L"Columns"), std::nullopt);
    EXPECT_FALSE(registry.OpenKey(L"\\Software\\Missing", false));
    // A read-only registry cannot write.
    EXPECT_THROW(registry.WriteInteger(L"Columns", 1), ERegistryException);
    registry.CloseKey();
    EXPECT_EQ(registry.CurrentKey(), nullptr);
}

}  // namespace
}  // namespace kiv
