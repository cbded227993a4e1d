// The colour chooser's custom colours, kept as the entries "ColorA=" to
// "ColorP=" with the colour in upper-case hexadecimal (0x00BBGGRR).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kiv {

inline constexpr int kCustomColorSlots = 16;

// Fifteen entries, "ColorA" to "ColorO", from the current values of the
// system colours the chooser offers (lookup takes a COLOR_ index).
std::vector<std::wstring> SystemCustomColorEntries(const std::function<std::uint32_t(int index)>& lookup);

// The chooser's sixteen slots; a slot without a readable entry is white.
std::array<std::uint32_t, kCustomColorSlots> CustomColorSlots(const std::vector<std::wstring>& entries);

}  // namespace kiv
