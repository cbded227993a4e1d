// Small drawing kit for the artwork: shapes are gathered in a coverage mask
// sampled at pixel centres, then painted with a fill and an optional outline.
// Every pixel painted is opaque, so edges stay crisp at 16 pixels.
#pragma once

#include <cstdint>
#include <array>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "resources/artwork.h"

namespace kiv {

constexpr std::uint32_t Opaque(std::uint32_t rgb) { return 0xFF000000u | (rgb & 0xFFFFFFu); }

// Opaque colour a fraction t of the way from a to b.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t);

struct PointF {
    double x, y;
};

class Mask {
public:
    Mask(int width, int height);
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    // Outside the mask reads as empty.
    bool at(int x, int y) const noexcept;
    void set(int x, int y, bool on) noexcept;

    // Each shape adds (on) or cuts (!on) the pixels whose centres it covers.
    void rect(double x0, double y0, double x1, double y1, bool on = true);
    void roundRect(double x0, double y0, double x1, double y1, double radius, bool on = true);
    void disc(double cx, double cy, double radius, bool on = true);
    void polygon(std::initializer_list<PointF> points, bool on = true);
    // A stroke of the given width with round ends.
    void segment(PointF a, PointF b, double width, bool on = true);
    void intersect(const Mask& other);
    // The pixels more than `thickness` 4-neighbour steps inside the edge.
    Mask inset(int thickness) const;

private:
    template <typename Inside>
    void apply(Inside inside, bool on);

    int width_, height_;
    std::vector<std::uint8_t> bits_;
};

void FillRect(Pixmap& pixmap, int x, int y, int width, int height, std::uint32_t colour);
void Paint(Pixmap& pixmap, const Mask& mask, std::uint32_t colour);
// The pixels of the mask within `thickness` (4-neighbour steps) of its edge
// take the outline colour, the rest the fill.
void PaintOutlined(Pixmap& pixmap, const Mask& mask, std::uint32_t fill, std::uint32_t outline, int thickness = 1);
// Copies the opaque pixels of src with its top-left corner at (x, y).
void Blit(Pixmap& dst, const Pixmap& src, int x, int y);

// A tiny bitmap: rows of '#' (ink) and anything else (paper).
struct Glyph {
    int width;
    int height;
    std::array<std::string_view, 7> rows;
};

// 3x5 digits for the smallest sizes, 5x7 for the rest.
const Glyph& SmallDigit(int digit);
const Glyph& LargeDigit(int digit);
extern const Glyph kQuestionGlyph;

// Draws the glyph with each of its pixels `scale` pixels square.
void DrawGlyph(Pixmap& pixmap, const Glyph& glyph, int x, int y, int scale, std::uint32_t colour);

}  // namespace kiv
