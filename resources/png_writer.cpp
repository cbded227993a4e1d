#include "resources/png_writer.h"

#include <stdexcept>
#include <string_view>

#include "resources/png_deflate.h"

namespace kiv {
namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(std::span<const std::uint8_t>(out.data() + start, out.size() - start)));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Pixmap& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        throw std::invalid_argument("PNG: the image has no pixels or the wrong number of them");

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, not interlaced
    PutChunk(out, "IHDR", header);

    // Flat artwork repeats itself row after row, which the LZ77 matches
    // already catch, so each row goes with filter type 0.
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height) * (1 + 4 * static_cast<std::size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t c = image.at(x, y);
            raw.insert(raw.end(), {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                   static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 24)});
        }
    }
    PutChunk(out, "IDAT", ZlibCompress(raw));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace kiv
