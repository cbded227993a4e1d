#include "settings/registry_default.h"

namespace kiv {

// Only an unreadable value falls back: anything else (out of memory, say)
// is a real failure for the caller to report.
bool TRegistryDefault::ReadBoolDefault(const std::wstring& name, bool defaultValue) {
    const std::optional<std::int32_t> value = store_.TryReadInteger(name);
    return value ? *value != 0 : defaultValue;
}

std::int32_t TRegistryDefault::ReadIntegerDefault(const std::wstring& name, std::int32_t defaultValue) {
    return store_.TryReadInteger(name).value_or(defaultValue);
}

}  // namespace kiv
