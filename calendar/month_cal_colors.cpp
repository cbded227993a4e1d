#include "calendar/month_cal_colors.h"

#include <stdexcept>

namespace kiv {
namespace {
void CheckIndex(int index) {
    if (index < 0 || index >= TMonthCalColors::kCount) throw std::out_of_range("Calendar colour index out of range");
}
}  // namespace

TMonthCalColors::TMonthCalColors()
    : colors_{SystemColor(syscolor::Window),        SystemColor(syscolor::WindowText),
              SystemColor(syscolor::ActiveCaption), kWhite,
              kWhite,                               SystemColor(syscolor::InactiveCaptionText)} {}

TMonthCalColors::TMonthCalColors(const TMonthCalColors& other) : colors_(other.colors_) {}

TMonthCalColors& TMonthCalColors::operator=(const TMonthCalColors& other) {
    if (this != &other) {
        for (int i = 0; i < kCount; ++i) Set(i, other.colors_[i]);
    }
    return *this;
}

TColor TMonthCalColors::Get(int index) const {
    CheckIndex(index);
    return colors_[index];
}

void TMonthCalColors::Set(int index, TColor color) {
    CheckIndex(index);
    colors_[index] = color;
    if (sink_) sink_(index, color);
}

}  // namespace kiv
