// "Now", behind a seam so that tests can move the clock.
#pragma once

#include "calendar/date_time.h"

namespace kiv {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time.
    virtual TDateTime Now() const = 0;
    TDateTime Today() const { return DateOf(Now()); }
};

}  // namespace kiv
