// A calendar file on disk through the C runtime alone: its stamp (is it a
// regular file, when it was last written, how long it is) and its bytes.
// The C library's file functions keep the program free of the C++ library's
// stream and file-system parts, which would add several hundred kilobytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "markeddays/byte_source.h"

namespace kiv {

// What tells a changed file. The modification time is as fine as the
// system's status call gives it: nanoseconds on POSIX systems, whole seconds
// from the Windows C runtime. A rewrite that keeps the size within that
// resolution of the last reading is seen at the file's next change.
struct FileStamp {
    bool found = false;  // false: missing, or not a regular file
    std::int64_t modifiedSeconds = 0;
    std::int32_t modifiedNanoseconds = 0;
    std::uint64_t size = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::wstring& path);

// The bytes of a file, read from its start.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::wstring& path);

    // False when the file could not be opened; it then reads nothing.
    bool IsOpen() const noexcept { return file_ != nullptr; }
    std::size_t Read(char* buffer, std::size_t size) override;
    // True when a read stopped on an error rather than at the end.
    bool Failed() const noexcept { return file_ && std::ferror(file_.get()) != 0; }

private:
    struct Closer {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace kiv
