#include "app/command_line.h"

#include "app/app_texts.h"

namespace kiv {

bool IsQuietStart(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return false;
    std::wstring first = arguments.front();
    for (wchar_t& c : first) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return first == texts::kQuietSwitch;
}

}  // namespace kiv
