#include "settings/settings_persistence.h"

#include <string>
#include <vector>

#include "settings/registry_default.h"
#include "settings/settings_texts.h"
#include "settings/settings_table.h"

namespace kiv {
namespace {

namespace text = settings_text;

class KeyCloser {
public:
    explicit KeyCloser(RegistryStore& store) noexcept : store_(store) {}
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;
    ~KeyCloser() { store_.CloseKey(); }

private:
    RegistryStore& store_;
};

std::int32_t ReadStored(TRegistryDefault& reader, const SettingEntry& entry, const CalendarSettings& settings) {
    const bool flag = entry.field.Form() == StoredForm::Flag;
    switch (entry.fallback) {
        case Fallback::ReaderDefault: return reader.ReadBoolDefault(entry.name) ? 1 : 0;
        case Fallback::Current: return reader.ReadIntegerDefault(entry.name, entry.field.Get(settings));
        case Fallback::Fixed: break;
    }
    if (flag) return reader.ReadBoolDefault(entry.name, entry.defaultValue != 0) ? 1 : 0;
    return reader.ReadIntegerDefault(entry.name, entry.defaultValue);
}

// A stored system colour that names no system colour reads as the default:
// drawn, it would come out black.
std::int32_t ReadEntry(TRegistryDefault& reader, const SettingEntry& entry, const CalendarSettings& settings) {
    const std::int32_t fallback =
        entry.fallback == Fallback::Current ? entry.field.Get(settings) : entry.defaultValue;
    const std::int32_t value = ReadStored(reader, entry, settings);
    const StoredForm form = entry.field.Form();
    const bool color = form == StoredForm::Color || form == StoredForm::CalendarColor;
    return color && !IsDrawableColor(static_cast<TColor>(value)) ? fallback : value;
}

}  // namespace

std::wstring StartupCommandLine(const std::wstring& programPath) {
    // Quoted, or a path with blanks would be split at the first one and
    // could start some other program.
    return L"\"" + programPath + L"\" " + text::kQuietSwitch;
}

void LoadSettingsFrom(RegistryStore& store, CalendarSettings& settings) {
    RequireColorSet(settings);
    TRegistryDefault reader(store);
    KeyCloser closer(store);
    // A key that is missing or cannot be opened reads as all defaults.
    store.OpenKey(text::kSettingsKey, false);
    // Each colour reaches the control as soon as it is read.
    for (const SettingEntry* entry : SettingsLoadOrder())
        entry->field.Set(settings, ReadEntry(reader, *entry, settings));
    settings.MarkedDayFiles = store.ReadMultiString(text::kMarkedDayFiles).value_or(std::vector<std::wstring>{});
    std::erase(settings.MarkedDayFiles, std::wstring());
    // Out-of-range columns and first days are ignored where they are applied,
    // but nothing downstream guards the first month, so a stray one must not get through.
    if (settings.FirstMonth < 0 || settings.FirstMonth > 12)
        settings.FirstMonth = SettingFor(Setting::FirstMonth).defaultValue;
}

std::optional<std::string> SaveSettingsTo(RegistryStore& store, const CalendarSettings& settings,
                                          const std::wstring& runValueName, const std::wstring& programPath) {
    try {
        RequireColorSet(settings);
        KeyCloser closer(store);
        if (!store.OpenKey(text::kSettingsKey, true)) return text::kOperationAborted;
        for (const SettingEntry& entry : SettingsTable()) store.WriteInteger(entry.name, entry.field.Get(settings));
        // No files, no value: the key stays as it was before there were any.
        if (settings.MarkedDayFiles.empty())
            store.DeleteValue(text::kMarkedDayFiles);
        else
            store.WriteMultiString(text::kMarkedDayFiles, settings.MarkedDayFiles);
        store.CloseKey();

        if (!store.OpenKey(text::kRunKey, true)) return text::kOperationAborted;
        if (settings.StartWithWindows)
            store.WriteString(runValueName, StartupCommandLine(programPath));
        else
            store.DeleteValue(runValueName);
        return std::nullopt;
    } catch (const ERegistryException&) {
        return text::kWriteFailed;
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace kiv
