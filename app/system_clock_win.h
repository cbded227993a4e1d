#pragma once

#include "app/clock.h"

namespace kiv {

// The computer's local time.
class SystemClock final : public Clock {
public:
    TDateTime Now() const override;
};

}  // namespace kiv
