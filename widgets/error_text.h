// How the application's error box words a failure.
#pragma once

#include <string>

namespace kiv {

// The message as a sentence: a full stop is added unless the text is empty or
// ends in a full stop or a character that sorts below it ("!", ")" ...).
std::wstring WithFullStop(std::wstring message);

}  // namespace kiv
