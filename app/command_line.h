#pragma once

#include <string>
#include <vector>

namespace kiv {

// True when the first argument alone, in any letter case, is the quiet switch.
bool IsQuietStart(const std::vector<std::wstring>& arguments);

}  // namespace kiv
