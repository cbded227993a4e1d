// PLACEHOLDER until the artwork lands: writes a plain 16-pixel icon.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::vector<std::uint8_t> f;
    auto u16 = [&](unsigned v) { f.push_back(v & 0xFF); f.push_back((v >> 8) & 0xFF); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    const unsigned size = 40 + 16 * 16 * 4 + 16 * 4;
    u16(0); u16(1); u16(1);
    f.push_back(16); f.push_back(16); f.push_back(0); f.push_back(0); u16(1); u16(32); u32(size); u32(22);
    u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(16 * 16 * 4); u32(0); u32(0); u32(0); u32(0);
    for (int i = 0; i < 256; ++i) u32(0xFF3060C0);
    for (int i = 0; i < 16; ++i) u32(0);
    std::ofstream(std::string(argv[1]) + "/kiv.ico", std::ios::binary).write(reinterpret_cast<const char*>(f.data()), f.size());
    return 0;
}
