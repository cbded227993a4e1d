// The six colours of the month-calendar control, by index: 0 background,
// 1 text, 2 title background, 3 title text, 4 month background, 5 trailing text.
#pragma once

#include "calendar/color.h"

#include <array>

namespace kiv {

class TMonthCalColors {
public:
    static constexpr int kCount = 6;

    TColor Get(int index) const;
    void Set(int index, TColor value);

private:
    std::array<TColor, kCount> colors_{SystemColor(syscolor::Window),        SystemColor(syscolor::WindowText),
                                       SystemColor(syscolor::ActiveCaption), kWhite,
                                       kWhite,                               SystemColor(syscolor::InactiveCaptionText)};
};

}  // namespace kiv
