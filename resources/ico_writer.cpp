#include "resources/ico_writer.h"

#include <stdexcept>

#include "resources/png_writer.h"

namespace kiv {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<std::uint8_t> EncodeDib(const Pixmap& image) {
    const int w = image.width, h = image.height;
    const int maskStride = (w + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(2 * h));  // colour and mask stacked
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<std::uint32_t>(w * h * 4 + maskStride * h));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    // Both planes are stored bottom row first; 0xAARRGGBB little-endian is BGRA.
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) Put32(out, image.at(x, y));
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if ((image.at(x, y) >> 24) == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(std::span<const Pixmap> images) {
    if (images.empty() || images.size() > 0xFFFF) throw std::invalid_argument("icon: no images");
    std::vector<std::vector<std::uint8_t>> entries;
    for (const Pixmap& image : images) {
        if (image.width <= 0 || image.height <= 0 || image.width > 256 || image.height > 256 ||
            image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
            throw std::invalid_argument("icon: an image is empty, larger than 256 pixels or malformed");
        entries.push_back(image.width == 256 || image.height == 256 ? EncodePng(image) : EncodeDib(image));
    }

    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon, not cursor
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A dimension of 256 is written as 0.
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(0);  // not a palette image
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(entries[i].size()));
        Put32(out, static_cast<std::uint32_t>(offset));
        offset += entries[i].size();
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

}  // namespace kiv
