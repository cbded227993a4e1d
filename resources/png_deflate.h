// A small deflate compressor: LZ77 matches coded with the fixed Huffman
// tables, or stored blocks when that would be larger (noisy data).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kiv {

// Raw deflate stream as in RFC 1951.
std::vector<std::uint8_t> Deflate(std::span<const std::uint8_t> data);

// zlib stream (RFC 1950): header, deflate stream, Adler-32 of the data.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data);

// Pass the previous result to continue a checksum over several pieces.
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler = 1);
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);

}  // namespace kiv
