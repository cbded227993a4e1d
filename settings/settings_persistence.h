// Loading the settings record from a registry store and saving it back,
// together with the start-up entry that runs the program at log-on.
#pragma once

#include <optional>
#include <string>

#include "settings/calendar_settings.h"
#include "settings/registry_store.h"

namespace kiv {

// Fills every field from the settings key; a missing key or value gives the
// field its default, and each colour defaults to what the colour set holds
// now. Never creates the key. Throws std::logic_error when settings.Colors
// is not bound; other failures of the store propagate.
void LoadSettingsFrom(RegistryStore& store, CalendarSettings& settings);

// Writes every field and then the start-up entry: runValueName under the Run
// key holds the quoted programPath and the quiet switch, or is deleted when
// the program is not to start with Windows. Returns the UTF-8 message to
// show on failure, nothing on success; nothing more is written after a
// failure, and the open key is closed on every path.
std::optional<std::string> SaveSettingsTo(RegistryStore& store, const CalendarSettings& settings,
                                          const std::wstring& runValueName, const std::wstring& programPath);

// The command line of the start-up entry.
std::wstring StartupCommandLine(const std::wstring& programPath);

}  // namespace kiv
