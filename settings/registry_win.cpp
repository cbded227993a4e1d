#include "settings/registry_win.h"

#include <limits>

namespace kiv {

void TRegistry::SetRootKey(HKEY root) noexcept {
    CloseKey();
    root_ = root;
}

bool TRegistry::OpenKey(const std::wstring& path, bool create) {
    HKEY parent = current_ ? current_.get() : root_;
    std::wstring relative = path;
    if (!relative.empty() && relative.front() == L'\\') {
        parent = root_;
        relative.erase(0, 1);
    }
    HKEY opened = nullptr;
    LSTATUS status =
        create ? RegCreateKeyExW(parent, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                                 &opened, nullptr)
               : RegOpenKeyExW(parent, relative.c_str(), 0, access_, &opened);
    if (status != ERROR_SUCCESS) return false;
    current_.reset(opened);
    return true;
}

std::int32_t TRegistry::ReadInteger(const std::wstring& name) {
    if (!current_) throw ERegistryException("No key open to read", name);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    LSTATUS status =
        RegQueryValueExW(current_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    // A shorter REG_DWORD would leave part of the buffer unset, so it counts as unreadable too.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        throw ERegistryException("Failed to get data for", name);
    return static_cast<std::int32_t>(value);
}

void TRegistry::WriteInteger(const std::wstring& name, std::int32_t value) {
    if (!current_) throw ERegistryException("No key open to write", name);
    DWORD data = static_cast<DWORD>(value);
    if (RegSetValueExW(current_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for", name);
}

void TRegistry::WriteString(const std::wstring& name, const std::wstring& text) {
    if (!current_) throw ERegistryException("No key open to write", name);
    // The terminating zero is part of the stored data.
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (bytes > std::numeric_limits<DWORD>::max()) throw ERegistryException("Text too long for", name);
    if (RegSetValueExW(current_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(bytes)) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for", name);
}

void TRegistry::DeleteValue(const std::wstring& name) {
    // Deleting what is not there is fine, and the caller has no use for a failure.
    if (current_) RegDeleteValueW(current_.get(), name.c_str());
}

}  // namespace kiv
