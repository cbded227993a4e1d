#include "calendar/month_cal_colors.h"

#include <stdexcept>

namespace kiv {

TColor TMonthCalColors::Get(int index) const {
    if (index < 0 || index >= kCount) throw std::out_of_range("calendar colour index out of range");
    return colors_[static_cast<std::size_t>(index)];
}

void TMonthCalColors::Set(int index, TColor value) {
    if (index < 0 || index >= kCount) throw std::out_of_range("calendar colour index out of range");
    colors_[static_cast<std::size_t>(index)] = value;
}

}  // namespace kiv
