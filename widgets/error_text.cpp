#include "widgets/error_text.h"

namespace kiv {

std::wstring WithFullStop(std::wstring message) {
    if (!message.empty() && message.back() > L'.') message += L'.';
    return message;
}

}  // namespace kiv
