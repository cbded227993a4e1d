#include "options/hot_key_box.h"

namespace kiv {

void THotKeyBox::Attach(HotKeyControl* control) {
    control_ = control;
    SendRules();
    SendContent();
}

ShortCut THotKeyBox::HotKey() {
    if (control_) {
        const std::uint16_t word = control_->ReadHotKey();
        key_ = static_cast<std::uint8_t>(word & 0xFF);
        keptModifiers_ = static_cast<std::uint16_t>(word >> 8);
    }
    return HotKeyWordToShortCut(static_cast<std::uint16_t>((keptModifiers_ << 8) | key_));
}

void THotKeyBox::SetHotKey(ShortCut shortcut) {
    const std::uint16_t word = ShortCutToHotKeyWord(shortcut);
    key_ = static_cast<std::uint8_t>(word & 0xFF);
    keptModifiers_ = static_cast<std::uint16_t>(word >> 8);
    SendContent();
}

void THotKeyBox::SetInvalidKeys(std::uint16_t combinations) {
    if (combinations == invalidKeys_) return;
    invalidKeys_ = combinations;
    SendRules();
    SendContent();
}

void THotKeyBox::SetModifiers(std::uint16_t modifiers) {
    if (modifiers == modifiers_) return;
    modifiers_ = modifiers;
    keptModifiers_ = modifiers;
    SendRules();
    SendContent();
}

void THotKeyBox::SendRules() {
    if (control_) control_->SendRules(invalidKeys_, modifiers_);
}

void THotKeyBox::SendContent() {
    if (control_) control_->SendHotKey(static_cast<std::uint16_t>((keptModifiers_ << 8) | key_));
}

}  // namespace kiv
