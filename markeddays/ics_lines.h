// The text layer of an iCalendar file: physical lines (CRLF or LF, an
// optional UTF-8 byte-order mark) joined into content lines where a line
// starts with a space or a tab, and each content line split into its name,
// parameters and value. Everything is streamed: memory is bounded by the
// longest content line kept, whatever the size of the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "markeddays/byte_source.h"

namespace kiv {

// A content line longer than this (unfolded, in bytes) is skipped whole.
inline constexpr std::size_t kMaxIcsLineBytes = 64 * 1024;

class IcsLineReader {
public:
    explicit IcsLineReader(ByteSource& in) : in_(in) {}

    // The next content line, unfolded, without its line break; false at the
    // end of the input. A fold may fall anywhere, also inside a UTF-8
    // sequence: the bytes are joined before anything decodes them.
    bool Next(std::string& line);
    // The physical line (1-based) on which the last content line began.
    std::size_t LineNumber() const noexcept { return lineNumber_; }
    // True when the last content line was longer than kMaxIcsLineBytes: it
    // comes back empty, its bytes were read and dropped.
    bool TooLong() const noexcept { return tooLong_; }
    // True when the input held a NUL byte so far (a binary file).
    bool SawNul() const noexcept { return sawNul_; }

private:
    bool ReadPhysical(std::string& out, bool& truncated);
    bool Fill();

    ByteSource& in_;
    bool ended_ = false;         // the source gave its last byte
    std::string pending_;         // the physical line read ahead to look for a fold
    bool hasPending_ = false;
    bool pendingTruncated_ = false;
    bool atStart_ = true;
    std::size_t physical_ = 0;    // physical lines read so far
    std::size_t pendingLine_ = 0;
    std::size_t lineNumber_ = 0;
    bool tooLong_ = false;
    bool sawNul_ = false;
    char buffer_[16 * 1024];
    std::size_t pos_ = 0, end_ = 0;
};

struct IcsParameter {
    std::string name;  // upper case
    std::string value; // quotes removed; several values stay comma separated
};

struct IcsContentLine {
    std::string name;  // upper case
    std::vector<IcsParameter> parameters;
    std::string value;
    // The value of a parameter (upper-case name), or empty.
    std::string_view Parameter(std::string_view parameterName) const;
};

// Splits "NAME;PARAM=VALUE:value"; false when the line has no name or no colon.
bool ParseContentLine(std::string_view line, IcsContentLine& out);

// A TEXT value with its escapes (\\ \; \, \n \N) undone, decoded from UTF-8;
// bytes that are not UTF-8 become U+FFFD. Where wchar_t holds 16 bits the
// characters beyond the first plane become surrogate pairs.
std::wstring UnescapeIcsText(std::string_view value);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace kiv
