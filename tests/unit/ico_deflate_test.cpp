#include "resources/png_deflate.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "tests/unit/ico_inflate.h"

namespace kiv {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v) b = static_cast<std::uint8_t>(rng());
    return v;
}

TEST(Checksums, MatchTheirPublishedCheckValuesAndCanBeContinued) {
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(Adler32(Bytes("")), 1u);
    // Large enough for the Adler sums to wrap their modulus many times.
    auto data = RandomBytes(200000, 7);
    std::span<const std::uint8_t> all(data), head = all.first(12345), tail = all.subspan(12345);
    EXPECT_EQ(Crc32(tail, Crc32(head)), Crc32(all));
    EXPECT_EQ(Adler32(tail, Adler32(head)), Adler32(all));
}

struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
};

std::vector<Case> AwkwardInputs() {
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"one byte", {0xFF}});
    cases.push_back({"two bytes", {1, 1}});
    cases.push_back({"shortest match", {9, 9, 9, 9}});
    cases.push_back({"long run past the window", std::vector<std::uint8_t>(100000, 0xAB)});
    std::vector<std::uint8_t> all;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<std::uint8_t>(b));
    cases.push_back({"every byte value, repeated", all});
    cases.push_back({"random, more than one stored block", RandomBytes(140000, 1)});
    // A block repeated at exactly the window size may be matched; one
    // repeated just beyond it must not be.
    for (std::size_t period : {32768u, 32769u}) {
        auto block = RandomBytes(period, 2);
        std::vector<std::uint8_t> twice = block;
        twice.insert(twice.end(), block.begin(), block.end());
        cases.push_back({period == 32768 ? "repeat at the window size" : "repeat beyond the window", twice});
    }
    std::vector<std::uint8_t> mixed;
    auto noise = RandomBytes(5000, 3);
    for (int i = 0; i < 40; ++i) {
        mixed.insert(mixed.end(), noise.begin() + i * 50, noise.begin() + i * 50 + 300);
        mixed.insert(mixed.end(), static_cast<std::size_t>(i * 17 % 300), static_cast<std::uint8_t>(i));
    }
    cases.push_back({"noise and runs mixed", mixed});
    return cases;
}

TEST(Deflate, AwkwardInputsComeBackUnchanged) {
    for (const Case& c : AwkwardInputs()) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> packed = Deflate(c.data);
        std::size_t consumed = 0;
        std::vector<std::uint8_t> unpacked;
        ASSERT_NO_THROW(unpacked = test::Inflate(packed, &consumed));
        EXPECT_EQ(unpacked, c.data);
        EXPECT_EQ(consumed, packed.size()) << "trailing bytes after the final block";
        // Never much worse than storing the data as it is.
        EXPECT_LE(packed.size(), c.data.size() + 5 * (c.data.size() / 65535 + 1));
    }
}

TEST(Deflate, FlatDataShrinksToAFewKilobytes) {
    std::vector<std::uint8_t> flat;
    for (int row = 0; row < 256; ++row) {
        flat.push_back(0);
        for (int x = 0; x < 256; ++x) {
            std::uint8_t v = x < 40 || x > 215 ? 0 : 0xFF;
            flat.insert(flat.end(), {v, v, v, v});
        }
    }
    std::vector<std::uint8_t> packed = Deflate(flat);
    EXPECT_LT(packed.size(), 4096u);
    EXPECT_EQ(test::Inflate(packed), flat);
    // A run matches itself from one byte back: the fixed codes spend 13 bits
    // on each longest match.
    EXPECT_LE(Deflate(std::vector<std::uint8_t>(65536, 0)).size(), 65536 / 258 * 13 / 8 + 8);
}

TEST(ZlibCompress, WrapsTheStreamWithAValidHeaderAndTheAdlerSum) {
    auto data = RandomBytes(3000, 4);
    data.insert(data.end(), 3000, 0x55);
    std::vector<std::uint8_t> z = ZlibCompress(data);
    ASSERT_GE(z.size(), 6u);
    EXPECT_EQ(z[0] & 0x0F, 8) << "compression method deflate";
    EXPECT_LE(z[0] >> 4, 7) << "window no larger than 32 KB";
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);
    EXPECT_EQ(z[1] & 0x20, 0) << "no preset dictionary";
    std::size_t consumed = 0;
    auto body = std::span<const std::uint8_t>(z).subspan(2);
    EXPECT_EQ(test::Inflate(body, &consumed), data);
    ASSERT_EQ(2 + consumed + 4, z.size());
    EXPECT_EQ(test::ReadBigEndian32(z, z.size() - 4), Adler32(data));
}

}  // namespace
}  // namespace kiv
