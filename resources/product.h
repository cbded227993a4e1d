// The program's name, shown by every window that names it.
#pragma once

namespace kiv::product {

inline constexpr const wchar_t* kName = L"Kiv Calendar";

}  // namespace kiv::product
