#include "markeddays/ics_lines.h"

#include <algorithm>
#include <cstring>

namespace kiv {

bool IcsLineReader::Fill() {
    if (pos_ < end_) return true;
    pos_ = end_ = 0;
    if (ended_) return false;
    end_ = in_.Read(buffer_, sizeof buffer_);
    ended_ = end_ == 0;
    return !ended_;
}

// One physical line without its CR LF or LF. Bytes past the cap are read and
// dropped, and `truncated` says so.
bool IcsLineReader::ReadPhysical(std::string& out, bool& truncated) {
    out.clear();
    truncated = false;
    bool any = false;
    while (Fill()) {
        any = true;
        const char* start = buffer_ + pos_;
        const std::size_t available = end_ - pos_;
        const void* nl = std::memchr(start, '\n', available);
        const std::size_t take = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) : available;
        if (!sawNul_ && std::memchr(start, '\0', take)) sawNul_ = true;
        const std::size_t room = kMaxIcsLineBytes + 1 > out.size() ? kMaxIcsLineBytes + 1 - out.size() : 0;
        if (take > room) truncated = true;
        out.append(start, std::min(take, room));
        pos_ += nl ? take + 1 : take;
        if (nl) break;
    }
    if (!any) return false;
    ++physical_;
    if (!out.empty() && out.back() == '\r') out.pop_back();
    if (atStart_) {
        atStart_ = false;
        if (out.compare(0, 3, "\xEF\xBB\xBF") == 0) out.erase(0, 3);
    }
    if (out.size() > kMaxIcsLineBytes) truncated = true;
    return true;
}

bool IcsLineReader::Next(std::string& line) {
    if (!hasPending_) {
        if (!ReadPhysical(pending_, pendingTruncated_)) return false;
        pendingLine_ = physical_;
    }
    hasPending_ = false;
    line.swap(pending_);
    lineNumber_ = pendingLine_;
    tooLong_ = pendingTruncated_;
    for (;;) {
        if (!ReadPhysical(pending_, pendingTruncated_)) break;
        pendingLine_ = physical_;
        if (pending_.empty() || (pending_[0] != ' ' && pending_[0] != '\t')) {
            hasPending_ = true;
            break;
        }
        if (pendingTruncated_ || line.size() + pending_.size() - 1 > kMaxIcsLineBytes) tooLong_ = true;
        if (!tooLong_) line.append(pending_, 1, std::string::npos);
    }
    if (tooLong_) line.clear();
    return true;
}

std::string_view IcsContentLine::Parameter(std::string_view parameterName) const {
    for (const IcsParameter& p : parameters)
        if (p.name == parameterName) return p.value;
    return {};
}

namespace {
std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Where the first `stop` character outside double quotes is, from `from`.
std::size_t FindUnquoted(std::string_view text, std::size_t from, std::string_view stops) {
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        else if (!quoted && stops.find(text[i]) != std::string_view::npos) return i;
    }
    return std::string_view::npos;
}
}  // namespace

bool ParseContentLine(std::string_view line, IcsContentLine& out) {
    out.parameters.clear();
    std::size_t i = line.find_first_of(";:");
    if (i == 0 || i == std::string_view::npos) return false;
    out.name = Upper(line.substr(0, i));
    while (line[i] == ';') {
        const std::size_t next = FindUnquoted(line, i + 1, ";:");
        if (next == std::string_view::npos) return false;
        std::string_view param = line.substr(i + 1, next - i - 1);
        const std::size_t eq = param.find('=');
        IcsParameter p;
        p.name = Upper(param.substr(0, eq));
        if (eq != std::string_view::npos) {
            for (char c : param.substr(eq + 1))
                if (c != '"') p.value += c;
        }
        out.parameters.push_back(std::move(p));
        i = next;
    }
    out.value.assign(line.substr(i + 1));
    return true;
}

namespace {
void AppendCodePoint(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}
}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool good = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; good && k <= extra; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) good = false;
            else c = (c << 6) | (t & 0x3F);
        }
        static constexpr char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
        if (good && (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) good = false;
        if (good) {
            AppendCodePoint(out, c);
            i += 1 + static_cast<std::size_t>(extra);
        } else {
            out += wchar_t(0xFFFD);
            ++i;
        }
    }
    return out;
}

std::wstring UnescapeIcsText(std::string_view value) {
    std::string plain;
    plain.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        const char c = value[++i];
        plain += c == 'n' || c == 'N' ? '\n' : c;
    }
    return Utf8ToWide(plain);
}

}  // namespace kiv
