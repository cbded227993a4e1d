#include "calendar/year_size.h"

#include "calendar/calendar_errors.h"

namespace kiv {

bool IsValidColumns(int columns) noexcept {
    switch (columns) {
        case 1: case 2: case 3: case 4: case 6: case 12:
            return true;
        default:
            return false;
    }
}

void CheckColumns(int columns) {
    if (!IsValidColumns(columns)) throw ERangeError("Invalid value for columns");
}

int YearRows(int columns) {
    CheckColumns(columns);
    return 12 / columns;
}

YearSize YearSizeFor(int columns, int monthWidth, int monthHeight) {
    const int rows = YearRows(columns);
    return {columns * (monthWidth + 6), rows * (monthHeight - 11) + 17};
}

bool IsPlausible(const PaneLayout& l) noexcept {
    return l.monthWidth > 0 && l.monthHeight > 0 && l.gapX >= 0 && l.gapY >= 0 && l.todayHeight >= 0 &&
           l.gapX * 4 < l.monthWidth && l.gapY * 4 < l.monthHeight;
}

YearSize YearSizeFor(int columns, const PaneLayout& l, bool showToday, int margin) {
    const int rows = YearRows(columns);
    return {columns * l.monthWidth + (columns - 1) * l.gapX + 2 * margin,
            rows * l.monthHeight + (rows - 1) * l.gapY + (showToday ? l.todayHeight : 0) + 2 * margin};
}

}  // namespace kiv
