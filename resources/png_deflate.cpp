#include "resources/png_deflate.h"

#include <algorithm>
#include <array>

namespace kiv {
namespace {

class BitWriter {
public:
    // Deflate packs fields from the least significant bit of each byte.
    void bits(std::uint32_t value, int count) {
        acc_ |= value << filled_;
        filled_ += count;
        while (filled_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
            acc_ >>= 8;
            filled_ -= 8;
        }
    }
    // Huffman codes go most significant bit first.
    void code(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        bits(reversed, length);
    }
    void alignToByte() {
        if (filled_ > 0) bits(0, 8 - filled_);
    }
    void byte(std::uint8_t b) { out_.push_back(b); }
    std::vector<std::uint8_t> take() {
        alignToByte();
        return std::move(out_);
    }

private:
    std::vector<std::uint8_t> out_;
    std::uint32_t acc_ = 0;
    int filled_ = 0;
};

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                            33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kWindow = 32768;
constexpr int kMaxChain = 128;
constexpr int kHashBits = 15;

void FixedSymbol(BitWriter& out, int symbol) {
    if (symbol < 144) out.code(0x30 + symbol, 8);
    else if (symbol < 256) out.code(0x190 + symbol - 144, 9);
    else if (symbol < 280) out.code(symbol - 256, 7);
    else out.code(0xC0 + symbol - 280, 8);
}

template <std::size_t N>
int CodeIndex(const std::array<int, N>& base, int value) {
    int i = static_cast<int>(N) - 1;
    while (base[i] > value) --i;
    return i;
}

void Match(BitWriter& out, int length, int distance) {
    // Length 258 has a code of its own, which the search from the top finds first.
    int li = CodeIndex(kLengthBase, length);
    FixedSymbol(out, 257 + li);
    out.bits(length - kLengthBase[li], kLengthExtra[li]);
    int di = CodeIndex(kDistanceBase, distance);
    out.code(di, 5);
    out.bits(distance - kDistanceBase[di], kDistanceExtra[di]);
}

std::vector<std::uint8_t> FixedBlock(std::span<const std::uint8_t> data) {
    BitWriter out;
    out.bits(1, 1);  // final block
    out.bits(1, 2);  // fixed Huffman codes
    const int n = static_cast<int>(data.size());
    std::vector<int> head(1 << kHashBits, -1);
    std::vector<int> prev(data.size(), -1);
    auto hash = [&](int i) {
        std::uint32_t v = data[i] | (data[i + 1] << 8) | (data[i + 2] << 16);
        return static_cast<int>((v * 2654435761u) >> (32 - kHashBits));
    };
    auto insert = [&](int i) {
        if (i + kMinMatch > n) return;
        int h = hash(i);
        prev[i] = head[h];
        head[h] = i;
    };
    int i = 0;
    while (i < n) {
        int bestLength = 0, bestDistance = 0;
        if (i + kMinMatch <= n) {
            const int limit = std::min(kMaxMatch, n - i);
            int chain = 0;
            for (int j = head[hash(i)]; j >= 0 && i - j <= kWindow && chain < kMaxChain; j = prev[j], ++chain) {
                int length = 0;
                while (length < limit && data[j + length] == data[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - j;
                    if (length == limit) break;
                }
            }
        }
        if (bestLength >= kMinMatch) {
            Match(out, bestLength, bestDistance);
            for (int k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
        } else {
            FixedSymbol(out, data[i]);
            insert(i);
            ++i;
        }
    }
    FixedSymbol(out, 256);
    return out.take();
}

std::vector<std::uint8_t> StoredBlocks(std::span<const std::uint8_t> data) {
    BitWriter out;
    std::size_t pos = 0;
    do {
        const std::size_t length = std::min<std::size_t>(data.size() - pos, 65535);
        const bool last = pos + length == data.size();
        out.bits(last ? 1 : 0, 1);
        out.bits(0, 2);
        out.alignToByte();
        out.bits(static_cast<std::uint32_t>(length), 16);
        out.bits(static_cast<std::uint32_t>(~length & 0xFFFF), 16);
        for (std::size_t k = 0; k < length; ++k) out.byte(data[pos + k]);
        pos += length;
    } while (pos < data.size());
    return out.take();
}

}  // namespace

std::vector<std::uint8_t> Deflate(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> fixed = FixedBlock(data);
    const std::size_t storedSize = data.size() + 5 * (data.size() / 65535 + 1);
    return fixed.size() <= storedSize ? fixed : StoredBlocks(data);
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data) {
    // Deflate with a 32 KB window, no preset dictionary; the pair is a multiple of 31.
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::vector<std::uint8_t> body = Deflate(data);
    out.insert(out.end(), body.begin(), body.end());
    const std::uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(adler >> shift));
    return out;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler) {
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::uint8_t byte : data) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

}  // namespace kiv
