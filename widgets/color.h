// Colour values: 0x00BBGGRR for an explicit colour, 0x80000000 plus the
// COLOR_ index for a system colour, resolved each time it is drawn.
#pragma once

#include <cstdint>

namespace kiv {

using TColor = std::uint32_t;

constexpr TColor kSystemColorFlag = 0x80000000u;

constexpr TColor SystemColor(int index) noexcept { return kSystemColorFlag | static_cast<TColor>(index); }
constexpr bool IsSystemColor(TColor color) noexcept { return (color & kSystemColorFlag) != 0; }
constexpr int SystemColorIndex(TColor color) noexcept { return static_cast<int>(color & 0xFFu); }

// False for a system colour whose index names none of the system's colours
// (0 to 30, without the unused 25): drawn, it would come out black.
constexpr bool IsDrawableColor(TColor color) noexcept {
    if (!IsSystemColor(color)) return true;
    const TColor index = color & ~kSystemColorFlag;
    return index <= 30 && index != 25;
}

// The system colour indexes the program names (the same numbers as COLOR_*).
namespace syscolor {
constexpr int ActiveCaption = 2;
constexpr int Window = 5;
constexpr int WindowText = 8;
constexpr int AppWorkspace = 12;
constexpr int BtnFace = 15;
constexpr int InactiveCaptionText = 19;
}  // namespace syscolor

constexpr TColor kWhite = 0x00FFFFFFu;
constexpr TColor kBlack = 0x00000000u;

}  // namespace kiv
