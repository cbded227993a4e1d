// UTC date-times of the user's calendar files in the system's time zone.
#pragma once

#include "calendar/date_time.h"

namespace kiv {

// The local date-time of a UTC one, by the system's time-zone rules for that
// date (summer time included). Outside what the system converts (before
// 1601), the value comes back as it is.
TDateTime LocalFromUtc(TDateTime utc) noexcept;

}  // namespace kiv
