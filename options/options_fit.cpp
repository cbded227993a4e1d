#include "options/options_fit.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <stdexcept>

namespace kiv {
namespace {

using K = OptionsItemKind;

// Pixels at 96 DPI.
constexpr int kGap = 3;           // at least, after a control that grew or moved
constexpr int kGroupMargin = 6;   // between a group box's edge and what it holds

struct Control {
    OptionsPlace laid;   // as laid out, at the DPI
    OptionsPlace place;  // fitted
    OptionsGroup group;
    bool rowFitted;      // group boxes and the note keep their widths and places
    int minLeft, maxRight;
};

bool SameRow(const Control& a, const Control& b) {
    return a.group == b.group && a.laid.top < b.laid.bottom() && b.laid.top < a.laid.bottom();
}

// A control that grew or moved keeps its distance to the next one; the
// distances of the layout stand between the others.
bool Changed(const Control& c) { return c.place.left != c.laid.left || c.place.width > c.laid.width; }

}  // namespace

int ScaleOptionsPixels(int pixelsAt96, int dpi) noexcept {
    const long long product = static_cast<long long>(pixelsAt96) * dpi;
    return static_cast<int>(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
}

int CheckBoxCaptionWidth(int dpi, int digitWidth, int textWidth, int lastRightBearing) noexcept {
    const int box = std::max(12 * dpi / 96 + 1, ScaleOptionsPixels(13, dpi));
    return box + 1 + digitWidth / 2 + textWidth + (lastRightBearing > 0 ? 0 : 1);
}

OptionsFit FitOptionsLayout(int dpi, const std::vector<int>& needed, int noteHeight) {
    const std::vector<OptionsItem>& layout = OptionsLayout();
    if (needed.size() != layout.size()) throw std::invalid_argument("One needed width per control");
    const auto px = [dpi](int at96) { return ScaleOptionsPixels(at96, dpi); };
    const int gap = px(kGap);

    std::vector<Control> controls;
    for (size_t i = 0; i < layout.size(); ++i) {
        const OptionsItem& item = layout[i];
        Control c{};
        int left = item.left, top = item.top, minLeft = 0, maxRight = kOptionsClientWidth;
        if (item.group != OptionsGroup::None) {
            const OptionsItem& box = OptionsGroupBox(item.group);
            left += box.left;
            top += box.top;
            minLeft = box.left;
            maxRight = box.left + box.width;
        }
        c.laid = {px(left), px(top), px(item.width), px(item.height)};
        c.place = c.laid;
        c.group = item.group;
        c.rowFitted = item.kind != K::GroupBox && item.kind != K::Note;
        // A label is as wide as its caption.
        if (c.rowFitted) c.place.width = item.kind == K::Label ? needed[i] : std::max(c.laid.width, needed[i]);
        c.minLeft = px(minLeft + kGroupMargin);
        c.maxRight = px(maxRight - kGroupMargin);
        controls.push_back(c);
    }

    // Left to right: a control that grew or moved pushes the ones after it on its row.
    std::vector<size_t> order(controls.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return controls[a].laid.left < controls[b].laid.left; });
    for (size_t n = 0; n < order.size(); ++n) {
        Control& c = controls[order[n]];
        if (!c.rowFitted) continue;
        for (size_t m = 0; m < n; ++m) {
            const Control& before = controls[order[m]];
            if (before.rowFitted && SameRow(before, c) && Changed(before) && before.place.right() + gap > c.place.left)
                c.place.left = before.place.right() + gap;
        }
    }

    // Right to left: what now reaches past its group's edge moves back left,
    // as far as the controls before it on its row can make way; what still
    // does not fit is cut at the edge.
    std::vector<int> leastLeft(controls.size(), -1);
    const std::function<int(size_t)> least = [&](size_t i) {
        if (leastLeft[i] >= 0) return leastLeft[i];
        int at = controls[i].minLeft;
        for (size_t j = 0; j < controls.size(); ++j)
            if (j != i && controls[j].rowFitted && SameRow(controls[j], controls[i]) &&
                controls[j].place.left < controls[i].place.left)
                at = std::max(at, least(j) + controls[j].place.width + gap);
        return leastLeft[i] = at;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return controls[a].place.left > controls[b].place.left; });
    for (size_t n = 0; n < order.size(); ++n) {
        Control& c = controls[order[n]];
        if (!c.rowFitted) continue;
        int limit = c.maxRight;
        for (size_t m = 0; m < n; ++m) {
            const Control& after = controls[order[m]];
            if (after.rowFitted && SameRow(after, c) && (Changed(after) || Changed(c)) &&
                c.place.right() + gap > after.place.left)
                limit = std::min(limit, after.place.left - gap);
        }
        if (c.place.right() <= limit) continue;
        c.place.left = std::max(least(order[n]), limit - c.place.width);
        c.place.width = std::max(0, std::min(c.place.width, limit - c.place.left));
    }

    // A column stays one column: when a control at its left edge moved back
    // left, the others at that edge follow it, as far as the controls before
    // them on their rows allow. Indented ones keep their places.
    for (size_t i = 0; i < controls.size(); ++i) {
        const Control& moved = controls[i];
        if (!moved.rowFitted || moved.place.left >= moved.laid.left) continue;
        const int shift = moved.laid.left - moved.place.left;
        for (size_t j = 0; j < controls.size(); ++j) {
            Control& c = controls[j];
            if (j == i || !c.rowFitted || c.group != moved.group || c.laid.left != moved.laid.left) continue;
            int bound = c.minLeft;
            for (const Control& before : controls)
                if (&before != &c && before.rowFitted && SameRow(before, c) && before.place.left < c.place.left)
                    bound = std::max(bound, before.place.right() + gap);
            c.place.left = std::max(bound, std::min(c.place.left, c.laid.left - shift));
        }
    }

    OptionsFit fit;
    fit.clientWidth = px(kOptionsClientWidth);
    fit.clientHeight = px(kOptionsClientHeight);
    // The note shows all its lines; its group and what lies below grow with it.
    int grown = 0;
    int below = 0;  // what starts here or lower moves down with the note's group
    for (size_t i = 0; i < layout.size(); ++i) {
        if (layout[i].kind != K::Note) continue;
        Control& note = controls[i];
        note.place.height = std::max(note.laid.height, noteHeight);
        // The margin below it stays as laid out.
        grown = note.place.height - note.laid.height;
        Control& group = controls[static_cast<size_t>(&OptionsGroupBox(layout[i].group) - layout.data())];
        below = group.laid.bottom();
        group.place.height += grown;
    }
    for (Control& c : controls)
        if (grown && c.laid.top >= below) c.place.top += grown;
    fit.clientHeight += grown;
    for (const Control& c : controls) fit.places.push_back(c.place);
    return fit;
}

}  // namespace kiv
