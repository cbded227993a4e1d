#pragma once

#include <string>

#include "calendar/date_time.h"

namespace kiv {

// A date in the user's short or long date format.
std::wstring ShortDateText(TDateTime date);
std::wstring LongDateText(TDateTime date);

}  // namespace kiv
