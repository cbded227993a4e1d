// What a print of the calendar view needs besides the printer itself: the
// name it carries in the print queue and the size of its image on paper.
#pragma once

#include <string>

namespace kiv {

// "Kiv Calendar - N columns".
std::wstring PrintDocumentName(int columns);

// number x numerator / denominator over a 64-bit product, rounded half away
// from zero; -1 when the denominator is 0 or the result does not fit (the
// contract of the system's MulDiv).
int MulDivRounded(int number, int numerator, int denominator) noexcept;

struct PrintedSize {
    int width = 0;
    int height = 0;
    bool operator==(const PrintedSize&) const = default;
};

// The printed size of an image of width x height pixels taken from a window
// of windowDpi pixels per inch, so that it keeps its size in inches.
PrintedSize ScaleToPrinter(int width, int height, int printerDpiX, int printerDpiY, int windowDpi) noexcept;

}  // namespace kiv
