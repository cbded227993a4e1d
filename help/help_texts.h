// The fixed texts of the help viewer.
#pragma once

#include "resources/product.h"

namespace kiv::help_text {

inline constexpr const wchar_t* kErrorCaption = L"Error";

}  // namespace kiv::help_text
