#include "tests/support/postscript_reader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace kiv::test {
namespace {

std::vector<std::uint8_t> Ascii85Decode(const std::string& text, std::size_t& pos) {
    std::vector<std::uint8_t> out;
    std::uint32_t group = 0;
    int count = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '~') {  // "~>" ends the data
            pos += 2;
            break;
        }
        if (c == 'z' && count == 0) {
            out.insert(out.end(), 4, 0);
            continue;
        }
        if (c < '!' || c > 'u') continue;  // white space
        group = group * 85 + static_cast<std::uint32_t>(c - '!');
        if (++count == 5) {
            for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(group >> shift));
            group = 0;
            count = 0;
        }
    }
    if (count > 0) {  // a short last group, padded with the highest digit
        for (int i = count; i < 5; ++i) group = group * 85 + 84;
        for (int i = 0; i < count - 1; ++i) out.push_back(static_cast<std::uint8_t>(group >> (24 - 8 * i)));
    }
    return out;
}

std::vector<std::uint8_t> RunLengthDecode(const std::vector<std::uint8_t>& in) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < in.size();) {
        const int length = in[i++];
        if (length == 128) break;
        if (length < 128) {
            for (int n = 0; n <= length && i < in.size(); ++n) out.push_back(in[i++]);
        } else if (i < in.size()) {
            out.insert(out.end(), static_cast<std::size_t>(257 - length), in[i++]);
        }
    }
    return out;
}

int NumberAfter(const std::string& text, std::size_t from, const char* key) {
    const std::size_t at = text.find(key, from);
    if (at == std::string::npos) return 0;
    return std::atoi(text.c_str() + at + std::char_traits<char>::length(key));
}

}  // namespace

bool ReadPostScriptJob(const std::string& text, PrintedJob& job) {
    job = PrintedJob{};
    if (text.rfind("%!PS-Adobe", 0) != 0) return false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("%%Title: ", 0) == 0) job.title = line.substr(9);
        if (line.rfind("%%Page: ", 0) == 0) ++job.pages;
    }
    // Each image: "W H scale", then a dictionary with /Width and /Height, then the data.
    for (std::size_t at = text.find("/ImageType 1"); at != std::string::npos;
         at = text.find("/ImageType 1", at + 1)) {
        PrintedImage image;
        const std::size_t scale = text.rfind(" scale\n", at);
        const std::size_t lineStart = scale == std::string::npos ? 0 : text.rfind('\n', scale - 1) + 1;
        std::istringstream(text.substr(lineStart, scale - lineStart)) >> image.scaledWidth >> image.scaledHeight;
        image.width = NumberAfter(text, at, "/Width ");
        image.height = NumberAfter(text, at, "/Height ");
        std::size_t data = text.find("\nimage\n", at);
        if (data != std::string::npos && text.find("/ASCII85Decode", at) < data &&
            text.find("/BitsPerComponent 8", at) < data) {
            data += 7;
            const std::vector<std::uint8_t> bytes = RunLengthDecode(Ascii85Decode(text, data));
            const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
            if (bytes.size() >= count * 3) {
                image.pixels.resize(count);
                for (std::size_t i = 0; i < count; ++i)
                    image.pixels[i] = (std::uint32_t{bytes[3 * i]} << 16) | (std::uint32_t{bytes[3 * i + 1]} << 8) |
                                      bytes[3 * i + 2];
            }
        }
        job.images.push_back(std::move(image));
    }
    return true;
}

}  // namespace kiv::test

namespace kiv::test {

std::optional<PrintedJob> WaitForPrintedJob(const std::wstring& file, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        std::ifstream in(std::filesystem::path(file), std::ios::binary);
        std::stringstream text;
        if (in) text << in.rdbuf();
        PrintedJob job;
        // Complete once the trailer is there.
        if (text.str().find("%%EOF") != std::string::npos && ReadPostScriptJob(text.str(), job)) return job;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace kiv::test
