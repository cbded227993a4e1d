#include "settings/shortcut.h"

namespace kiv {
namespace {
std::wstring KeyName(std::uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= vk::F1 && key <= vk::F24) return L"F" + std::to_wstring(key - vk::F1 + 1);
    switch (key) {
        case vk::Back: return L"Backspace";
        case vk::Tab: return L"Tab";
        case vk::Return: return L"Enter";
        case vk::Escape: return L"Esc";
        case vk::Space: return L"Space";
        case vk::PageUp: return L"PgUp";
        case vk::PageDown: return L"PgDn";
        case vk::End: return L"End";
        case vk::Home: return L"Home";
        case vk::Left: return L"Left";
        case vk::Up: return L"Up";
        case vk::Right: return L"Right";
        case vk::Down: return L"Down";
        case vk::Insert: return L"Ins";
        case vk::Delete: return L"Del";
        default: return {};
    }
}
}  // namespace

std::wstring ShortCutToText(ShortCut shortcut) {
    const std::wstring name = KeyName(shortcut & kKeyMask);
    if (name.empty()) return {};
    std::wstring text;
    if (shortcut & kShift) text += L"Shift+";
    if (shortcut & kCtrl) text += L"Ctrl+";
    if (shortcut & kAlt) text += L"Alt+";
    return text + name;
}

HotKeyParts ShortCutToHotKey(ShortCut shortcut, bool win) noexcept {
    HotKeyParts parts;
    parts.key = static_cast<std::uint16_t>(shortcut & kKeyMask);
    parts.modifiers = win ? 8 : 0;
    if (shortcut & kShift) parts.modifiers |= 4;
    if (shortcut & kCtrl) parts.modifiers |= 2;
    if (shortcut & kAlt) parts.modifiers |= 1;
    return parts;
}

std::uint16_t ShortCutToHotKeyWord(ShortCut shortcut) noexcept {
    const unsigned flags = ((shortcut & kShift) ? 1u : 0u) | ((shortcut & kCtrl) ? 2u : 0u) | ((shortcut & kAlt) ? 4u : 0u);
    return static_cast<std::uint16_t>((flags << 8) | (shortcut & 0xFFu));
}

ShortCut HotKeyWordToShortCut(std::uint16_t word) noexcept {
    const unsigned flags = word >> 8;
    return static_cast<ShortCut>(((flags << 13) | (word & 0xFFu)) & 0xFFFFu);
}

}  // namespace kiv
