// How big the calendar must be to show a whole year in a number of columns.
#pragma once

namespace kiv {

struct YearSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const YearSize&, const YearSize&) = default;
};

// 1, 2, 3, 4, 6 and 12 divide the twelve months evenly.
bool IsValidColumns(int columns) noexcept;
// Throws ERangeError("Invalid value for columns") for any other count.
void CheckColumns(int columns);
int YearRows(int columns);

// The size of twelve panes from the control's one-month minimum (measured
// with the today line): panes sit 6 pixels apart and the today line, 11
// pixels high, is drawn once below the last row.
YearSize YearSizeFor(int columns, int monthWidth, int monthHeight);

}  // namespace kiv
