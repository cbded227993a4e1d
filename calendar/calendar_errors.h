// The exceptions the calendar control raises to its callers.
#pragma once

#include <stdexcept>
#include <string>

namespace kiv {

// A property value outside the set the control accepts.
class ERangeError : public std::range_error {
public:
    using std::range_error::range_error;
};

// The month-calendar control refused a date, range or selection.
class EMonthCalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kiv
