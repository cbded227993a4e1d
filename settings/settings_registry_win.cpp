#include "settings/settings_registry_win.h"

#include <string>

#include "settings/registry_win.h"
#include "settings/settings_persistence.h"
#include "widgets/application_win.h"
#include "widgets/message_box_win.h"

namespace kiv {
namespace {

void ShowSaveError(HWND owner, const std::wstring& text) noexcept {
    try {
        ShowMessageBox(owner, text, L"Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

}  // namespace

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        // A full buffer may hold a truncated path: try again with more room.
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ReadSettingsFromRegistry(CalendarSettings& settings) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    LoadSettingsFrom(registry, settings);
}

void SaveSettings(HWND owner, const CalendarSettings& settings) noexcept {
    try {
        TRegistry registry;
        registry.SetRootKey(HKEY_CURRENT_USER);
        if (auto error = SaveSettingsTo(registry, settings, Application::instance().title(), ProgramPath()))
            ShowSaveError(owner, Widen(error->c_str()));
    } catch (const std::exception& e) {
        ShowSaveError(owner, Widen(e.what()));
    } catch (...) {
        ShowSaveError(owner, L"Unknown error");
    }
}

}  // namespace kiv
