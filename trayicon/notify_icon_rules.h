// The rules of the tray icon that need no shell: what each callback code
// becomes, how large a NOTIFYICONDATA the running system takes, and how
// much of a tooltip it shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// What the message window does with the shell's callback, by its lParam.
enum class TrayCallback {
    PassOn,  // to DefWindowProc
    MouseMove,
    Click,     // left button down
    DblClick,  // left button double click
    PopupMenu, // right button up
    BalloonShow,
    BalloonHide,
    BalloonTimeout,
    BalloonClick,
};

TrayCallback ClassifyTrayCallback(std::intptr_t lParam) noexcept;

// Which layout of NOTIFYICONDATA a system of that version understands.
enum class NotifyIconDataLayout {
    Version1,  // before 5.0: a 64-character tooltip
    Version2,  // 5.0
    Full,      // 5.1 and later
};

NotifyIconDataLayout NotifyIconDataLayoutFor(unsigned major, unsigned minor) noexcept;

// The longest tooltip the shell of that major version shows: 63 or 127.
std::size_t ToolTipLimit(unsigned major) noexcept;

// The tooltip as sent: cut to the limit, never between the two halves of a
// surrogate pair.
std::wstring ClipToolTip(std::wstring_view text, unsigned major);

}  // namespace kiv
