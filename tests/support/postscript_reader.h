// Reads back what Wine's PostScript driver wrote for a print job: the
// document's title, its pages, and each image with its pixels.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiv::test {

struct PrintedImage {
    int width = 0, height = 0;              // source pixels
    int scaledWidth = 0, scaledHeight = 0;  // printer units it was stretched to
    std::vector<std::uint32_t> pixels;      // 0xRRGGBB, top row first; empty if not decoded

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct PrintedJob {
    std::string title;  // from %%Title:
    int pages = 0;      // %%Page: comments
    std::vector<PrintedImage> images;
};

// Parses a job; false when the text is not a job of that driver.
bool ReadPostScriptJob(const std::string& text, PrintedJob& job);

// The job in the file, waiting up to `wait` for it to be there in full;
// nothing when it does not come.
std::optional<PrintedJob> WaitForPrintedJob(const std::wstring& file, std::chrono::milliseconds wait);

}  // namespace kiv::test
