// The few registry operations the settings need, so that loading and saving
// run the same over the Windows registry and over an in-memory store.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kiv {

// A value could not be read as a 32-bit integer, or a value could not be written.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ERegistryException(const char* what, const std::wstring& valueName);
};

class RegistryStore {
public:
    RegistryStore() = default;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;
    virtual ~RegistryStore() = default;

    // Makes the key the open one, closing any previous one. A path with a
    // leading backslash starts at the root; one without is relative to the
    // open key, or to the root when none is open.
    virtual bool OpenKey(const std::wstring& path, bool create) = 0;
    virtual void CloseKey() noexcept = 0;

    // Throws ERegistryException unless the value is a 4-byte REG_DWORD.
    virtual std::int32_t ReadInteger(const std::wstring& name) = 0;
    // The same value, or nothing where ReadInteger would throw: for values
    // that are often missing (a first start has none), without the cost of
    // an exception for each.
    virtual std::optional<std::int32_t> TryReadInteger(const std::wstring& name) {
        try {
            return ReadInteger(name);
        } catch (const ERegistryException&) {
            return std::nullopt;
        }
    }
    // Throw ERegistryException when the value cannot be written.
    virtual void WriteInteger(const std::wstring& name, std::int32_t value) = 0;
    virtual void WriteString(const std::wstring& name, const std::wstring& text) = 0;
    // The strings of a REG_MULTI_SZ value; nothing when the value is
    // missing, of another type or no key is open.
    virtual std::optional<std::vector<std::wstring>> ReadMultiString(const std::wstring& name) {
        (void)name;
        return std::nullopt;
    }
    // Writes the strings as a REG_MULTI_SZ value; an empty string cannot be
    // stored in one and is left out. Throws ERegistryException on failure.
    virtual void WriteMultiString(const std::wstring& name, const std::vector<std::wstring>& strings) {
        (void)strings;
        throw ERegistryException("Cannot write a list of strings to", name);
    }
    // A value that does not exist is no error.
    virtual void DeleteValue(const std::wstring& name) = 0;

    bool ReadBool(const std::wstring& name) { return ReadInteger(name) != 0; }
    void WriteBool(const std::wstring& name, bool value) { WriteInteger(name, value ? 1 : 0); }
};

}  // namespace kiv
