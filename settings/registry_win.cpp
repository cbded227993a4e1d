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
    const std::optional<std::int32_t> value = TryReadInteger(name);
    if (!value) throw ERegistryException("Failed to get data for", name);
    return *value;
}

std::optional<std::int32_t> TRegistry::TryReadInteger(const std::wstring& name) {
    if (!current_) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    LSTATUS status =
        RegQueryValueExW(current_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    // A shorter REG_DWORD would leave part of the buffer unset, so it counts as unreadable too.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return std::nullopt;
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

std::optional<std::vector<std::wstring>> TRegistry::ReadMultiString(const std::wstring& name) {
    if (!current_) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(current_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return std::nullopt;
    // Room for the terminating zeros the data may lack.
    std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = static_cast<DWORD>((data.size() - 2) * sizeof(wchar_t));
    if (RegQueryValueExW(current_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return std::nullopt;
    data.resize(got / sizeof(wchar_t));
    std::vector<std::wstring> strings;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find(L'\0', start);
        if (end == std::wstring::npos) end = data.size();
        if (end == start) break;  // the empty string ends the list
        strings.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return strings;
}

void TRegistry::WriteMultiString(const std::wstring& name, const std::vector<std::wstring>& strings) {
    if (!current_) throw ERegistryException("No key open to write", name);
    std::wstring data;
    for (const std::wstring& s : strings) {
        // A zero inside would end the string early, an empty one the list.
        const std::wstring part = s.substr(0, s.find(L'\0'));
        if (part.empty()) continue;
        data += part;
        data += L'\0';
    }
    data += L'\0';
    const std::size_t bytes = data.size() * sizeof(wchar_t);
    if (bytes > std::numeric_limits<DWORD>::max()) throw ERegistryException("Text too long for", name);
    if (RegSetValueExW(current_.get(), name.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(bytes)) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for", name);
}

void TRegistry::DeleteValue(const std::wstring& name) {
    // Deleting what is not there is fine, and the caller has no use for a failure.
    if (current_) RegDeleteValueW(current_.get(), name.c_str());
}

}  // namespace kiv
