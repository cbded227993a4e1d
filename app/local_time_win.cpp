#include "app/local_time_win.h"

#include <windows.h>

#include <cmath>

namespace kiv {

TDateTime LocalFromUtc(TDateTime utc) noexcept {
    const TDateTime day = std::floor(utc);
    const CivilDate d = DecodeDate(day);
    if (d.year < 1601 || d.year > 30827) return utc;
    long long seconds = std::llround((utc - day) * 86400.0);
    if (seconds >= 86400) seconds = 86399;
    SYSTEMTIME in{};
    in.wYear = static_cast<WORD>(d.year);
    in.wMonth = static_cast<WORD>(d.month);
    in.wDay = static_cast<WORD>(d.day);
    in.wHour = static_cast<WORD>(seconds / 3600);
    in.wMinute = static_cast<WORD>(seconds / 60 % 60);
    in.wSecond = static_cast<WORD>(seconds % 60);
    SYSTEMTIME out{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &in, &out)) return utc;
    const auto local = TryEncodeDate(out.wYear, out.wMonth, out.wDay);
    if (!local) return utc;
    return *local + (out.wHour * 3600 + out.wMinute * 60 + out.wSecond) / 86400.0;
}

}  // namespace kiv
