#include "resources/ico_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "resources/png_deflate.h"
#include "resources/png_writer.h"
#include "tests/unit/ico_inflate.h"

namespace kiv {
namespace {

using test::ReadBigEndian32;
using test::ReadLittleEndian16;
using test::ReadLittleEndian32;
using Bytes = std::span<const std::uint8_t>;

// Decodes a PNG as the encoder writes it (RGBA, 8 bits, filter 0), checking
// every chunk's CRC on the way.
Pixmap DecodePng(Bytes png) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png.size() >= 8 && std::equal(signature, signature + 8, png.begin())) << "PNG signature";
    Pixmap out;
    std::vector<std::uint8_t> idat;
    std::vector<std::string> order;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = ReadBigEndian32(png, at);
        if (at + 12 + length > png.size()) {
            ADD_FAILURE() << "chunk runs past the end";
            break;
        }
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        order.push_back(type);
        Bytes data = png.subspan(at + 8, length);
        EXPECT_EQ(ReadBigEndian32(png, at + 8 + length), Crc32(png.subspan(at + 4, length + 4))) << type << " CRC";
        if (type == "IHDR") {
            EXPECT_EQ(length, 13u);
            out.width = static_cast<int>(ReadBigEndian32(data, 0));
            out.height = static_cast<int>(ReadBigEndian32(data, 4));
            EXPECT_EQ(data[8], 8) << "bit depth";
            EXPECT_EQ(data[9], 6) << "colour type RGBA";
            EXPECT_EQ(data[10] | data[11] | data[12], 0) << "compression, filter, interlace";
        } else if (type == "IDAT") {
            idat.insert(idat.end(), data.begin(), data.end());
        }
        at += 12 + length;
        if (type == "IEND") {
            EXPECT_EQ(at, png.size()) << "bytes after IEND";
        }
    }
    EXPECT_EQ(order.front(), "IHDR");
    EXPECT_EQ(order.back(), "IEND");
    if (idat.size() < 6) return out;
    EXPECT_EQ((idat[0] * 256 + idat[1]) % 31, 0);
    std::vector<std::uint8_t> raw = test::Inflate(Bytes(idat).subspan(2));
    EXPECT_EQ(ReadBigEndian32(idat, idat.size() - 4), Adler32(raw));
    const std::size_t stride = 1 + 4 * static_cast<std::size_t>(out.width);
    EXPECT_EQ(raw.size(), stride * out.height);
    if (raw.size() != stride * out.height) return out;
    for (int y = 0; y < out.height; ++y) {
        EXPECT_EQ(raw[y * stride], 0) << "filter of row " << y;
        for (int x = 0; x < out.width; ++x) {
            const std::uint8_t* p = &raw[y * stride + 1 + 4 * x];
            out.pixels.push_back((std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (p[1] << 8) | p[2]);
        }
    }
    return out;
}

// Reads a 32-bit DIB icon entry back, checking its AND mask against alpha.
Pixmap DecodeDibEntry(Bytes dib, int width, int height) {
    EXPECT_EQ(ReadLittleEndian32(dib, 0), 40u);
    EXPECT_EQ(static_cast<int>(ReadLittleEndian32(dib, 4)), width);
    EXPECT_EQ(static_cast<int>(ReadLittleEndian32(dib, 8)), 2 * height) << "colour and mask height";
    EXPECT_EQ(ReadLittleEndian16(dib, 12), 1u);
    EXPECT_EQ(ReadLittleEndian16(dib, 14), 32u);
    EXPECT_EQ(ReadLittleEndian32(dib, 16), 0u) << "BI_RGB";
    const std::size_t maskStride = (width + 31) / 32 * 4;
    EXPECT_EQ(dib.size(), 40 + 4u * width * height + maskStride * height);
    Pixmap out = MakePixmap(width, height);
    if (dib.size() != 40 + 4u * width * height + maskStride * height) return out;
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;  // bottom row first
        for (int x = 0; x < width; ++x) {
            out.at(x, y) = ReadLittleEndian32(dib, 40 + 4 * (row * width + x));
            const std::uint8_t maskByte = dib[40 + 4 * width * height + row * maskStride + x / 8];
            const bool transparent = (maskByte >> (7 - x % 8)) & 1;
            EXPECT_EQ(transparent, (out.at(x, y) >> 24) == 0) << "mask at " << x << "," << y;
        }
    }
    return out;
}

struct Entry {
    int width, height;
    Bytes data;
};

std::vector<Entry> ParseIco(Bytes ico) {
    EXPECT_EQ(ReadLittleEndian16(ico, 0), 0u);
    EXPECT_EQ(ReadLittleEndian16(ico, 2), 1u) << "icon type";
    const std::size_t count = ReadLittleEndian16(ico, 4);
    std::vector<Entry> entries;
    std::size_t expectedOffset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        Bytes e = ico.subspan(6 + 16 * i, 16);
        EXPECT_EQ(e[2], 0) << "colour count";
        EXPECT_EQ(ReadLittleEndian16(e, 4), 1u) << "planes";
        EXPECT_EQ(ReadLittleEndian16(e, 6), 32u) << "bits per pixel";
        const std::size_t size = ReadLittleEndian32(e, 8), offset = ReadLittleEndian32(e, 12);
        EXPECT_EQ(offset, expectedOffset) << "entries are packed in order";
        if (offset + size > ico.size()) {
            ADD_FAILURE() << "entry " << i << " runs past the end";
            break;
        }
        expectedOffset = offset + size;
        entries.push_back({e[0] ? e[0] : 256, e[1] ? e[1] : 256, ico.subspan(offset, size)});
    }
    EXPECT_EQ(expectedOffset, ico.size()) << "bytes after the last entry";
    return entries;
}

bool IsPng(Bytes data) { return data.size() > 8 && data[0] == 0x89 && data[1] == 'P'; }

TEST(IcoFile, TheProgramIconReadsBackPixelForPixelAtEverySize) {
    const std::array<int, 6> sizes{16, 20, 24, 32, 48, 256};
    std::vector<Pixmap> icons;
    for (int s : sizes) icons.push_back(AppIcon(s));
    const std::vector<std::uint8_t> ico = EncodeIco(icons);
    std::vector<Entry> entries = ParseIco(ico);
    ASSERT_EQ(entries.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE("size " + std::to_string(sizes[i]));
        EXPECT_EQ(entries[i].width, sizes[i]);
        EXPECT_EQ(entries[i].height, sizes[i]);
        // Only the largest size is worth the PNG form; older readers want DIBs.
        EXPECT_EQ(IsPng(entries[i].data), sizes[i] == 256);
        Pixmap back = IsPng(entries[i].data) ? DecodePng(entries[i].data)
                                             : DecodeDibEntry(entries[i].data, sizes[i], sizes[i]);
        EXPECT_EQ(back.width, sizes[i]);
        EXPECT_EQ(back.height, sizes[i]);
        EXPECT_TRUE(back.pixels == icons[i].pixels);
    }
    EXPECT_LT(entries.back().data.size(), 8192u) << "flat colours compress to a few KB";
}

TEST(IcoFile, OddWidthsPadTheMaskRowsAndSemiTransparentPixelsSurvive) {
    // 33 pixels need a second 32-bit word per mask row; 7 fit in the first byte.
    for (int width : {1, 7, 33}) {
        Pixmap p = MakePixmap(width, 3);
        for (int x = 0; x < width; x += 2) p.at(x, 1) = 0xFF102030u;
        p.at(width - 1, 2) = 0x80FFFFFFu;
        std::vector<std::uint8_t> ico = EncodeIco(std::span(&p, 1));
        std::vector<Entry> entries = ParseIco(ico);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_TRUE(DecodeDibEntry(entries[0].data, width, 3).pixels == p.pixels) << width;
    }
    Pixmap big = MakePixmap(256, 200);
    big.at(255, 199) = 0x7F00FF00u;
    EXPECT_TRUE(DecodePng(EncodePng(big)).pixels == big.pixels);
}

TEST(IcoFile, RefusesWhatAnIconCannotHold) {
    std::vector<Pixmap> none;
    EXPECT_THROW(EncodeIco(none), std::invalid_argument);
    std::vector<Pixmap> tooLarge{MakePixmap(257, 257)};
    EXPECT_THROW(EncodeIco(tooLarge), std::invalid_argument);
    std::vector<Pixmap> empty{Pixmap{}};
    EXPECT_THROW(EncodeIco(empty), std::invalid_argument);
    Pixmap shortOfPixels = MakePixmap(16, 16);
    shortOfPixels.pixels.pop_back();
    EXPECT_THROW(EncodeIco(std::span(&shortOfPixels, 1)), std::invalid_argument);
    EXPECT_THROW(EncodePng(shortOfPixels), std::invalid_argument);
}

}  // namespace
}  // namespace kiv
