#include "calendar/date_format_win.h"

#include <windows.h>

namespace kiv {
namespace {
std::wstring Format(TDateTime date, DWORD flags) {
    const CivilDate d = DecodeDate(date);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    wchar_t buffer[128];
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &st, nullptr, buffer, 128);
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n - 1)) : std::wstring();
}
}  // namespace

std::wstring ShortDateText(TDateTime date) { return Format(date, DATE_SHORTDATE); }
std::wstring LongDateText(TDateTime date) { return Format(date, DATE_LONGDATE); }

}  // namespace kiv
