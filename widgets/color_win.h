#pragma once

#include <windows.h>

#include "widgets/color.h"

namespace kiv {

// The actual colour now: system colours are looked up with GetSysColor.
inline COLORREF ColorToRGB(TColor color) noexcept {
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace kiv
