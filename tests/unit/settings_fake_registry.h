// An in-memory registry for the settings tests: keys by full path, values
// that are either 32-bit integers or something else, a log of every call,
// and failures on demand.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/registry_store.h"

namespace kiv::test {

struct FakeValue {
    bool isInteger = true;
    std::uint32_t integer = 0;
    std::wstring text;  // what a non-integer value holds
    std::optional<std::vector<std::wstring>> strings;  // a multi-string value
};

class FakeRegistry final : public RegistryStore {
public:
    std::map<std::wstring, std::map<std::wstring, FakeValue>> keys;
    std::set<std::wstring> uncreatableKeys;
    std::optional<std::wstring> failingWrite;      // throws ERegistryException
    std::optional<std::wstring> brokenWrite;       // throws some other exception
    std::vector<std::wstring> writes;              // value names, in order
    std::vector<std::wstring> reads;
    std::vector<std::wstring> opens;               // "key" or "key (create)"

    bool HasOpenKey() const { return open_.has_value(); }

    bool OpenKey(const std::wstring& path, bool create) override {
        if (open_) ADD_FAILURE() << "a key is opened while another is open";
        opens.push_back(create ? path + L" (create)" : path);
        if (!keys.count(path)) {
            if (!create || uncreatableKeys.count(path)) return false;
            keys[path];
        }
        open_ = path;
        return true;
    }
    void CloseKey() noexcept override { open_.reset(); }

    std::int32_t ReadInteger(const std::wstring& name) override {
        reads.push_back(name);
        if (!open_) throw ERegistryException("no key", name);
        auto& values = keys[*open_];
        auto it = values.find(name);
        if (it == values.end() || !it->second.isInteger) throw ERegistryException("unreadable", name);
        return static_cast<std::int32_t>(it->second.integer);
    }
    void WriteInteger(const std::wstring& name, std::int32_t value) override {
        Write(name, FakeValue{true, static_cast<std::uint32_t>(value), {}, {}});
    }
    void WriteString(const std::wstring& name, const std::wstring& text) override {
        Write(name, FakeValue{false, 0, text, {}});
    }
    // Not logged in `reads`, which follows the integers.
    std::optional<std::vector<std::wstring>> ReadMultiString(const std::wstring& name) override {
        if (!open_) return std::nullopt;
        auto& values = keys[*open_];
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second.strings;
    }
    void WriteMultiString(const std::wstring& name, const std::vector<std::wstring>& strings) override {
        Write(name, FakeValue{false, 0, {}, strings});
    }
    void DeleteValue(const std::wstring& name) override {
        if (open_) keys[*open_].erase(name);
    }

    // Test helpers: what a key holds, by value name.
    std::map<std::wstring, FakeValue>& Values(const std::wstring& key) { return keys[key]; }
    void SetInteger(const std::wstring& key, const std::wstring& name, std::uint32_t value) {
        keys[key][name] = FakeValue{true, value, {}, {}};
    }
    void SetText(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
        keys[key][name] = FakeValue{false, 0, text, {}};
    }

private:
    void Write(const std::wstring& name, const FakeValue& value) {
        if (!open_) throw ERegistryException("no key", name);
        if (failingWrite == name) throw ERegistryException("refused", name);
        if (brokenWrite == name) throw std::runtime_error("The disk is on fire");
        writes.push_back(name);
        keys[*open_][name] = value;
    }

    std::optional<std::wstring> open_;
};

}  // namespace kiv::test
