// Failures of the system reported in its own words.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace kiv {

// The system's text for an error code (UTF-8, without the trailing line
// break), or "System error N" when it has none.
std::string SystemErrorText(DWORD code);

// An exception whose message is the system's text for the code.
inline std::runtime_error SystemError(DWORD code) { return std::runtime_error(SystemErrorText(code)); }

// UTF-16 to UTF-8, for exception messages.
std::string Narrow(const std::wstring& text);

}  // namespace kiv
