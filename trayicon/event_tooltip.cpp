#include "trayicon/event_tooltip.h"

#include "trayicon/notify_icon_rules.h"

namespace kiv {
namespace {
constexpr wchar_t kEllipsis = 0x2026;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

std::wstring EventToolTip(std::wstring_view dateToolTip, const std::vector<std::wstring>& events,
                          unsigned shellMajor) {
    const std::size_t limit = ToolTipLimit(shellMajor);
    std::wstring text = ClipToolTip(dateToolTip, shellMajor);
    for (const std::wstring& name : events) {
        if (name.empty()) continue;
        const std::size_t room = limit - text.size();  // ClipToolTip keeps text.size() <= limit
        if (name.size() + 1 <= room) {
            text += L'\r';
            text += name;
            continue;
        }
        // A CR, at least one character and the ellipsis.
        if (room >= 3) {
            std::size_t keep = room - 2;
            if (IsHighSurrogate(name[keep - 1])) --keep;
            if (keep > 0) {
                text += L'\r';
                text.append(name, 0, keep);
                text += kEllipsis;
            }
        }
        break;
    }
    return text;
}

}  // namespace kiv
