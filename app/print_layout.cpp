#include "app/print_layout.h"

#include <cstdint>
#include <limits>

#include "app/app_texts.h"

namespace kiv {

std::wstring PrintDocumentName(int columns) {
    return std::wstring(texts::kApplicationTitle) + L" - " + std::to_wstring(columns) + L" columns";
}

int MulDivRounded(int number, int numerator, int denominator) noexcept {
    if (denominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    // Magnitudes: the product fits 63 bits, the denominator 32.
    const std::uint64_t p = product < 0 ? 0 - static_cast<std::uint64_t>(product) : static_cast<std::uint64_t>(product);
    const std::uint64_t d = denominator < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(denominator))
                                            : static_cast<std::uint64_t>(denominator);
    const std::uint64_t q = (p + d / 2) / d;
    if (q > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return -1;
    return negative ? -static_cast<int>(q) : static_cast<int>(q);
}

PrintedSize ScaleToPrinter(int width, int height, int printerDpiX, int printerDpiY, int windowDpi) noexcept {
    return {MulDivRounded(width, printerDpiX, windowDpi), MulDivRounded(height, printerDpiY, windowDpi)};
}

}  // namespace kiv
