// Shortcut values: the virtual key in bits 0..12 plus 0x2000 Shift,
// 0x4000 Ctrl and 0x8000 Alt.
#pragma once

#include <cstdint>
#include <string>

namespace kiv {

using ShortCut = std::uint16_t;

constexpr ShortCut kShift = 0x2000;
constexpr ShortCut kCtrl = 0x4000;
constexpr ShortCut kAlt = 0x8000;
constexpr ShortCut kKeyMask = 0x1FFF;

// Virtual-key codes the program's shortcuts use (the same numbers as VK_*).
namespace vk {
constexpr std::uint16_t Back = 0x08, Tab = 0x09, Return = 0x0D, Escape = 0x1B, Space = 0x20, PageUp = 0x21,
                        PageDown = 0x22, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27,
                        Down = 0x28, Insert = 0x2D, Delete = 0x2E, F1 = 0x70, F24 = 0x87;
}

constexpr ShortCut MakeShortCut(std::uint16_t key, ShortCut modifiers = 0) noexcept {
    return static_cast<ShortCut>((key & kKeyMask) | modifiers);
}

// The text a menu shows for a shortcut, "Ctrl+P", "Shift+Alt+Backspace", "F1".
std::wstring ShortCutToText(ShortCut shortcut);

struct HotKeyParts {
    std::uint16_t key = 0;
    std::uint16_t modifiers = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8
    friend bool operator==(const HotKeyParts&, const HotKeyParts&) = default;
};

HotKeyParts ShortCutToHotKey(ShortCut shortcut, bool win) noexcept;

// The hot-key control's word: the key code's low byte, and in the high byte
// the HOTKEYF_ flags Shift 1, Ctrl 2, Alt 4 (and Ext 8, which a shortcut has
// no room for and loses on the way back).
std::uint16_t ShortCutToHotKeyWord(ShortCut shortcut) noexcept;
ShortCut HotKeyWordToShortCut(std::uint16_t word) noexcept;

}  // namespace kiv
