// The six colours of the month-calendar control. The control and the
// settings share one object: a change made through Set reaches the live
// control at once through the sink the control installs.
#pragma once

#include <array>
#include <functional>

#include "widgets/color.h"

namespace kiv {

class TMonthCalColors {
public:
    static constexpr int kCount = 6;
    enum Index { kBackColor = 0, kTextColor, kTitleBackColor, kTitleTextColor, kMonthBackColor, kTrailingTextColor };
    using Sink = std::function<void(int index, TColor color)>;

    TMonthCalColors();
    // A copy takes the colours only: the sink belongs to the control.
    TMonthCalColors(const TMonthCalColors& other);
    // Assigning sets each colour through Set, so the control follows.
    TMonthCalColors& operator=(const TMonthCalColors& other);

    // Throws std::out_of_range for an index outside 0..5.
    TColor Get(int index) const;
    void Set(int index, TColor color);

    void SetSink(Sink sink) { sink_ = std::move(sink); }

    TColor BackColor() const { return colors_[kBackColor]; }
    TColor TextColor() const { return colors_[kTextColor]; }
    TColor TitleBackColor() const { return colors_[kTitleBackColor]; }
    TColor TitleTextColor() const { return colors_[kTitleTextColor]; }
    TColor MonthBackColor() const { return colors_[kMonthBackColor]; }
    TColor TrailingTextColor() const { return colors_[kTrailingTextColor]; }
    void SetBackColor(TColor c) { Set(kBackColor, c); }
    void SetTextColor(TColor c) { Set(kTextColor, c); }
    void SetTitleBackColor(TColor c) { Set(kTitleBackColor, c); }
    void SetTitleTextColor(TColor c) { Set(kTitleTextColor, c); }
    void SetMonthBackColor(TColor c) { Set(kMonthBackColor, c); }
    void SetTrailingTextColor(TColor c) { Set(kTrailingTextColor, c); }

private:
    std::array<TColor, kCount> colors_;
    Sink sink_;
};

}  // namespace kiv
