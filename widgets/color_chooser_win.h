// The system's colour chooser, opened fully expanded, through a seam so
// tests can answer it without a person.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>

namespace kiv {

using CustomColors = std::array<COLORREF, 16>;

// The chosen colour, or nothing when the user cancelled. The custom colours
// the user defines are written back into custom.
std::optional<COLORREF> ChooseColorFor(HWND owner, COLORREF initial, CustomColors& custom);

using ColorChooserHandler = std::function<std::optional<COLORREF>(COLORREF initial, CustomColors& custom)>;
// Installs a replacement for the chooser and returns the previous one; an
// empty handler brings the chooser back.
ColorChooserHandler SetColorChooserHandler(ColorChooserHandler handler);

}  // namespace kiv
