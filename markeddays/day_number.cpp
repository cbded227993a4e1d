#include "markeddays/day_number.h"

#include <cmath>

namespace kiv {

DayNumber DayOf(TDateTime value) noexcept {
    // Before 30 December 1899 the fraction still counts forward from the
    // day's start, so dropping it rounds toward zero.
    if (!(value > -1e7 && value < 1e7)) return 0;
    return static_cast<DayNumber>(std::trunc(value));
}

}  // namespace kiv
