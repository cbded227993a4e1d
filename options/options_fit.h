// The options dialog's layout fitted to the captions as the font of the
// running system draws them. Where a caption fits its place, the place stays
// exactly as laid out; where it does not, the control grows to fit it, and
// the controls after it on its row make room, within the control's group
// box. The note below the colours grows downwards as its text needs, and its
// group and the dialog with it.
#pragma once

#include <vector>

#include "options/options_layout.h"

namespace kiv {

struct OptionsPlace {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const OptionsPlace&) const = default;
};

struct OptionsFit {
    std::vector<OptionsPlace> places;  // one per OptionsLayout() item, in the dialog's client area
    int clientWidth = 0;
    int clientHeight = 0;
};

// Pixels at 96 DPI scaled to the DPI, rounded to the nearest.
int ScaleOptionsPixels(int pixelsAt96, int dpi) noexcept;

// What a check box needs for its caption at the DPI: its box, half a digit
// before the text, the text and the pixel kept free on either side of it.
// The box is the larger of the two systems' (Wine draws 12 * DPI / 96 + 1
// pixels, a themed Windows box is 13 pixels scaled). The text is clipped a
// pixel inside the control's right edge: that pixel is needed where the last
// letter's ink reaches the end of its advance (`lastRightBearing` <= 0; a
// negative one is already counted in `textWidth`).
int CheckBoxCaptionWidth(int dpi, int digitWidth, int textWidth, int lastRightBearing) noexcept;

// `needed`: one width per OptionsLayout() item, in pixels at the DPI: what
// its caption needs (for a check box with its box and the gap before the
// text, for a button with its edges), or 0 for a control whose width is
// fixed. `noteHeight`: the height of the note's text wrapped at its width.
OptionsFit FitOptionsLayout(int dpi, const std::vector<int>& needed, int noteHeight);

}  // namespace kiv
