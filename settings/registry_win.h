// The registry store over the Windows registry: one root key, an access
// mask for opening keys, and at most one open key at a time.
#pragma once

#include <windows.h>

#include "settings/registry_store.h"
#include "widgets/handles_win.h"

namespace kiv {

class TRegistry final : public RegistryStore {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) noexcept : access_(access) {}

    HKEY RootKey() const noexcept { return root_; }
    // Closes the open key; the root itself is never closed.
    void SetRootKey(HKEY root) noexcept;
    REGSAM Access() const noexcept { return access_; }
    HKEY CurrentKey() const noexcept { return current_.get(); }

    bool OpenKey(const std::wstring& path, bool create) override;
    void CloseKey() noexcept override { current_.reset(); }

    std::int32_t ReadInteger(const std::wstring& name) override;
    std::optional<std::int32_t> TryReadInteger(const std::wstring& name) override;
    void WriteInteger(const std::wstring& name, std::int32_t value) override;
    void WriteString(const std::wstring& name, const std::wstring& text) override;
    std::optional<std::vector<std::wstring>> ReadMultiString(const std::wstring& name) override;
    void WriteMultiString(const std::wstring& name, const std::vector<std::wstring>& strings) override;
    void DeleteValue(const std::wstring& name) override;

private:
    HKEY root_ = HKEY_CURRENT_USER;
    REGSAM access_;
    UniqueRegKey current_;
};

}  // namespace kiv
