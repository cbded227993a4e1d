// The tray tooltip with today's events: the date tooltip (DateToolTip)
// followed by one line per event, within what the shell shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// `dateToolTip` is the tooltip as DateToolTip makes it. Each event adds a
// CR and its name. The text stays within ToolTipLimit(shellMajor): the date
// part is never cut for an event (it is cut by ClipToolTip alone when it is
// too long by itself); the first event line that does not fit is cut and
// ends in "…", unless not even one character of it fits, and the events
// after it are left out. No cut falls inside a surrogate pair.
std::wstring EventToolTip(std::wstring_view dateToolTip, const std::vector<std::wstring>& events,
                          unsigned shellMajor);

}  // namespace kiv
