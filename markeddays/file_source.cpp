#include "markeddays/file_source.h"

#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <wchar.h>
#endif

namespace kiv {

#ifdef _WIN32

FileStamp StampOf(const std::wstring& path) {
    FileStamp stamp;
    struct _stat64 status {};
    if (_wstat64(path.c_str(), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return stamp;
    stamp.found = true;
    stamp.modifiedSeconds = status.st_mtime;
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    return stamp;
}

FileSource::FileSource(const std::wstring& path) : file_(_wfopen(path.c_str(), L"rb")) {}

#else

namespace {
// The file systems here name files in bytes, by convention UTF-8.
std::string NativePath(const std::wstring& path) {
    std::string out;
    out.reserve(path.size());
    for (const wchar_t w : path) {
        auto c = static_cast<char32_t>(w);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
}  // namespace

FileStamp StampOf(const std::wstring& path) {
    FileStamp stamp;
    struct stat status {};
    if (stat(NativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return stamp;
    stamp.found = true;
    stamp.modifiedSeconds = status.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = static_cast<std::int32_t>(status.st_mtim.tv_nsec);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    return stamp;
}

FileSource::FileSource(const std::wstring& path) : file_(std::fopen(NativePath(path).c_str(), "rb")) {}

#endif

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    if (!file_) return 0;
    return std::fread(buffer, 1, size, file_.get());
}

}  // namespace kiv
