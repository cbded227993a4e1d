// A minimal inflate for checking what the encoders write: stored and
// fixed-Huffman blocks only, which is all they produce. Written from the
// format description, independently of the encoder's tables.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace kiv::test {

class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> data) : data_(data) {}
    std::uint32_t bits(int count) {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            if (pos_ >= data_.size()) throw std::runtime_error("inflate: stream ends early");
            v |= static_cast<std::uint32_t>((data_[pos_] >> bit_) & 1) << i;
            if (++bit_ == 8) {
                bit_ = 0;
                ++pos_;
            }
        }
        return v;
    }
    void align() {
        if (bit_ != 0) {
            bit_ = 0;
            ++pos_;
        }
    }
    std::size_t bytePosition() const { return pos_ + (bit_ ? 1 : 0); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    int bit_ = 0;
};

// Returns the data; `consumed` receives the number of bytes the stream used.
inline std::vector<std::uint8_t> Inflate(std::span<const std::uint8_t> stream, std::size_t* consumed = nullptr) {
    static const int lengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                     31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int distBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int distExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

    BitReader in(stream);
    std::vector<std::uint8_t> out;
    bool last = false;
    while (!last) {
        last = in.bits(1) == 1;
        const std::uint32_t type = in.bits(2);
        if (type == 0) {
            in.align();
            const std::uint32_t len = in.bits(16), nlen = in.bits(16);
            if ((len ^ 0xFFFF) != nlen) throw std::runtime_error("inflate: stored length check fails");
            for (std::uint32_t i = 0; i < len; ++i) out.push_back(static_cast<std::uint8_t>(in.bits(8)));
        } else if (type == 1) {
            for (;;) {
                // Fixed literal/length code, read most significant bit first.
                std::uint32_t code = 0;
                int symbol = -1;
                for (int len = 1; len <= 9 && symbol < 0; ++len) {
                    code = (code << 1) | in.bits(1);
                    if (len == 7 && code <= 23) symbol = 256 + static_cast<int>(code);
                    else if (len == 8 && code >= 0x30 && code <= 0xBF) symbol = static_cast<int>(code) - 0x30;
                    else if (len == 8 && code >= 0xC0 && code <= 0xC7) symbol = 280 + static_cast<int>(code) - 0xC0;
                    else if (len == 9 && code >= 0x190) symbol = 144 + static_cast<int>(code) - 0x190;
                }
                if (symbol < 0) throw std::runtime_error("inflate: bad code");
                if (symbol < 256) {
                    out.push_back(static_cast<std::uint8_t>(symbol));
                    continue;
                }
                if (symbol == 256) break;
                if (symbol > 285) throw std::runtime_error("inflate: bad length symbol");
                const int length = lengthBase[symbol - 257] + static_cast<int>(in.bits(lengthExtra[symbol - 257]));
                std::uint32_t d = 0;
                for (int i = 0; i < 5; ++i) d = (d << 1) | in.bits(1);
                if (d > 29) throw std::runtime_error("inflate: bad distance symbol");
                const std::size_t distance = distBase[d] + in.bits(distExtra[d]);
                if (distance > out.size() || distance > 32768) throw std::runtime_error("inflate: distance too far back");
                for (int i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
            }
        } else {
            throw std::runtime_error("inflate: block type not expected from this encoder");
        }
    }
    if (consumed) *consumed = in.bytePosition();
    return out;
}

inline std::uint32_t ReadBigEndian32(std::span<const std::uint8_t> d, std::size_t at) {
    return (std::uint32_t{d[at]} << 24) | (std::uint32_t{d[at + 1]} << 16) | (std::uint32_t{d[at + 2]} << 8) | d[at + 3];
}
inline std::uint32_t ReadLittleEndian16(std::span<const std::uint8_t> d, std::size_t at) {
    return d[at] | (std::uint32_t{d[at + 1]} << 8);
}
inline std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> d, std::size_t at) {
    return ReadLittleEndian16(d, at) | (ReadLittleEndian16(d, at + 2) << 16);
}

}  // namespace kiv::test
