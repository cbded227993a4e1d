// Reads registry values that may be missing or of the wrong kind, falling
// back to a default instead of failing.
#pragma once

#include <cstdint>
#include <string>

#include "settings/registry_store.h"

namespace kiv {

class TRegistryDefault {
public:
    explicit TRegistryDefault(RegistryStore& store) noexcept : store_(store) {}

    // The default of the one-argument ReadBoolDefault.
    bool DefaultBool = false;

    bool ReadBoolDefault(const std::wstring& name, bool defaultValue);
    bool ReadBoolDefault(const std::wstring& name) { return ReadBoolDefault(name, DefaultBool); }
    std::int32_t ReadIntegerDefault(const std::wstring& name, std::int32_t defaultValue);

    RegistryStore& Store() noexcept { return store_; }

private:
    RegistryStore& store_;
};

}  // namespace kiv
