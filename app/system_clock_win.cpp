#include "app/system_clock_win.h"

#include <windows.h>

namespace kiv {

TDateTime SystemClock::Now() const {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDate(st.wYear, st.wMonth, st.wDay) +
           (st.wHour * 3600000.0 + st.wMinute * 60000.0 + st.wSecond * 1000.0 + st.wMilliseconds) / 86400000.0;
}

}  // namespace kiv
