#include "settings/registry_store.h"

namespace kiv {
namespace {

// The names the program uses are ASCII; anything else is only for a
// developer's eyes, so a placeholder will do.
std::string AsciiOf(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) out.push_back(c > 0 && c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

ERegistryException::ERegistryException(const char* what, const std::wstring& valueName)
    : std::runtime_error(std::string(what) + " '" + AsciiOf(valueName) + "'") {}

}  // namespace kiv
