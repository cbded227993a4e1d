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

// Where the control puts its panes, as it reports them: the size of one pane
// (title, day names and six weeks), the space it leaves between panes, and
// the today line it draws once below the last row.
struct PaneLayout {
    int monthWidth = 0;
    int monthHeight = 0;
    int gapX = 0;
    int gapY = 0;
    int todayHeight = 0;
    friend bool operator==(const PaneLayout&, const PaneLayout&) = default;
};

// A layout is believable when every pane has a size and the gaps are small
// beside a pane; anything else was measured on a control that did not lay
// out as expected.
bool IsPlausible(const PaneLayout& layout) noexcept;

// Twelve panes exactly, the today line when it is shown, and an even margin
// round them.
YearSize YearSizeFor(int columns, const PaneLayout& layout, bool showToday, int margin);

}  // namespace kiv
