// The hot-key box: the system's hot-key control plus what it keeps beside
// it, the key code and modifiers last put into it or read from it, and the
// rules it enforces on what the user types.
#pragma once

#include <cstdint>

#include "settings/shortcut.h"

namespace kiv {

// Invalid combinations, as the control's HKCOMB_ flags.
namespace hkcomb {
constexpr std::uint16_t None = 0x01;   // a key without modifiers
constexpr std::uint16_t Shift = 0x02;  // Shift alone
}  // namespace hkcomb

// Modifiers, as the control's HOTKEYF_ flags.
namespace hotkeyf {
constexpr std::uint16_t Shift = 0x01, Control = 0x02, Alt = 0x04, Ext = 0x08;
}

// The control's side: a window, or a stand-in in tests.
class HotKeyControl {
public:
    virtual ~HotKeyControl() = default;
    virtual void SendRules(std::uint16_t invalidCombinations, std::uint16_t modifiers) = 0;
    virtual void SendHotKey(std::uint16_t word) = 0;
    virtual std::uint16_t ReadHotKey() const = 0;
};

class THotKeyBox {
public:
    // Ctrl+Alt+C; a bare key or Shift+key is refused and becomes Ctrl+Alt+key.
    THotKeyBox() = default;

    // Hands the box's whole state to the control; nullptr detaches it.
    void Attach(HotKeyControl* control);

    // What the control shows now, as a shortcut; the box keeps it.
    ShortCut HotKey();
    void SetHotKey(ShortCut shortcut);

    std::uint16_t InvalidKeys() const noexcept { return invalidKeys_; }
    std::uint16_t Modifiers() const noexcept { return modifiers_; }
    // Each sends the new rules and puts the kept key back into the control
    // (with the new modifiers, for SetModifiers); an unchanged value does nothing.
    void SetInvalidKeys(std::uint16_t combinations);
    void SetModifiers(std::uint16_t modifiers);

    std::uint8_t KeptKey() const noexcept { return key_; }
    std::uint16_t KeptModifiers() const noexcept { return keptModifiers_; }

private:
    void SendRules();
    void SendContent();

    HotKeyControl* control_ = nullptr;
    std::uint8_t key_ = 'C';
    std::uint16_t keptModifiers_ = hotkeyf::Control | hotkeyf::Alt;
    std::uint16_t invalidKeys_ = hkcomb::None | hkcomb::Shift;
    std::uint16_t modifiers_ = hotkeyf::Control | hotkeyf::Alt;
};

}  // namespace kiv
