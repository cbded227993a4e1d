#include "settings/registry_default.h"

namespace kiv {

// Only an unreadable value falls back: anything else (out of memory, say)
// is a real failure for the caller to report.
bool TRegistryDefault::ReadBoolDefault(const std::wstring& name, bool defaultValue) {
    try {
        return store_.ReadBool(name);
    } catch (const ERegistryException&) {
        return defaultValue;
    }
}

std::int32_t TRegistryDefault::ReadIntegerDefault(const std::wstring& name, std::int32_t defaultValue) {
    try {
        return store_.ReadInteger(name);
    } catch (const ERegistryException&) {
        return defaultValue;
    }
}

}  // namespace kiv
