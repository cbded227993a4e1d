// Where the calendar-file reader takes its bytes from: a file or text in
// memory. A small interface of its own rather than std::istream, which
// would link the C++ library's locale and stream machinery (several hundred
// kilobytes) into the program for one sequential read.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace kiv {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to `size` next bytes into `buffer` and says how many; 0 at
    // the end or on an error (the source tells which, where it can).
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;

protected:
    ByteSource() = default;
    ByteSource(const ByteSource&) = default;
    ByteSource& operator=(const ByteSource&) = default;
};

// The bytes of a text in memory, which must outlive the source.
class TextSource final : public ByteSource {
public:
    explicit TextSource(std::string_view text) noexcept : text_(text) {}

    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t n = size < text_.size() ? size : text_.size();
        if (n) std::memcpy(buffer, text_.data(), n);
        text_.remove_prefix(n);
        return n;
    }

private:
    std::string_view text_;
};

}  // namespace kiv
