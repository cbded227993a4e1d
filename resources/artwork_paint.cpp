#include "resources/artwork_paint.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kiv {

Pixmap MakePixmap(int width, int height) {
    Pixmap p;
    if (width <= 0 || height <= 0) return p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width) * height, 0u);
    return p;
}

Pixmap Premultiplied(Pixmap pixmap) {
    for (std::uint32_t& pixel : pixmap.pixels) {
        const std::uint32_t a = pixel >> 24;
        const auto scale = [a](std::uint32_t channel) { return (channel * a + 127) / 255; };
        pixel = (a << 24) | (scale((pixel >> 16) & 0xFF) << 16) | (scale((pixel >> 8) & 0xFF) << 8) | scale(pixel & 0xFF);
    }
    return pixmap;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
    auto channel = [&](int shift) {
        double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

Mask::Mask(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      bits_(static_cast<std::size_t>(width_) * height_, 0) {}

bool Mask::at(int x, int y) const noexcept {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return bits_[static_cast<std::size_t>(y) * width_ + x] != 0;
}

void Mask::set(int x, int y, bool on) noexcept {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    bits_[static_cast<std::size_t>(y) * width_ + x] = on ? 1 : 0;
}

template <typename Inside>
void Mask::apply(Inside inside, bool on) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (inside(x + 0.5, y + 0.5)) set(x, y, on);
}

void Mask::rect(double x0, double y0, double x1, double y1, bool on) {
    apply([&](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, on);
}

void Mask::roundRect(double x0, double y0, double x1, double y1, double radius, bool on) {
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    apply(
        [&](double x, double y) {
            if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
            double dx = std::max({x0 + radius - x, x - (x1 - radius), 0.0});
            double dy = std::max({y0 + radius - y, y - (y1 - radius), 0.0});
            return dx * dx + dy * dy <= radius * radius;
        },
        on);
}

void Mask::disc(double cx, double cy, double radius, bool on) {
    apply([&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; }, on);
}

void Mask::polygon(std::initializer_list<PointF> points, bool on) {
    std::vector<PointF> p(points);
    apply(
        [&](double x, double y) {
            // Even-odd rule by crossings of a ray to the right.
            bool in = false;
            for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
                if ((p[i].y > y) != (p[j].y > y) &&
                    x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                    in = !in;
            }
            return in;
        },
        on);
}

void Mask::segment(PointF a, PointF b, double width, bool on) {
    double vx = b.x - a.x, vy = b.y - a.y, len2 = vx * vx + vy * vy, r = width / 2;
    apply(
        [&](double x, double y) {
            double t = len2 > 0 ? std::clamp(((x - a.x) * vx + (y - a.y) * vy) / len2, 0.0, 1.0) : 0.0;
            double dx = a.x + t * vx - x, dy = a.y + t * vy - y;
            return dx * dx + dy * dy <= r * r;
        },
        on);
}

void Mask::intersect(const Mask& other) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (!other.at(x, y)) set(x, y, false);
}

Mask Mask::inset(int thickness) const {
    Mask result(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            bool inner = at(x, y);
            for (int d = 1; d <= thickness && inner; ++d)
                inner = at(x - d, y) && at(x + d, y) && at(x, y - d) && at(x, y + d);
            result.set(x, y, inner);
        }
    }
    return result;
}

void FillRect(Pixmap& pixmap, int x, int y, int width, int height, std::uint32_t colour) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + width, pixmap.width), y1 = std::min(y + height, pixmap.height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) pixmap.at(xx, yy) = colour;
}

void Paint(Pixmap& pixmap, const Mask& mask, std::uint32_t colour) {
    int w = std::min(pixmap.width, mask.width()), h = std::min(pixmap.height, mask.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask.at(x, y)) pixmap.at(x, y) = colour;
}

void PaintOutlined(Pixmap& pixmap, const Mask& mask, std::uint32_t fill, std::uint32_t outline, int thickness) {
    Paint(pixmap, mask, outline);
    Paint(pixmap, mask.inset(thickness), fill);
}

void Blit(Pixmap& dst, const Pixmap& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy) {
        for (int sx = 0; sx < src.width; ++sx) {
            int dx = x + sx, dy = y + sy;
            std::uint32_t c = src.at(sx, sy);
            if ((c >> 24) != 0 && dx >= 0 && dy >= 0 && dx < dst.width && dy < dst.height) dst.at(dx, dy) = c;
        }
    }
}

namespace {

const Glyph kSmallDigits[10] = {
    {3, 5, {"###", "#.#", "#.#", "#.#", "###"}}, {3, 5, {".#.", "##.", ".#.", ".#.", "###"}},
    {3, 5, {"###", "..#", "###", "#..", "###"}}, {3, 5, {"###", "..#", ".##", "..#", "###"}},
    {3, 5, {"#.#", "#.#", "###", "..#", "..#"}}, {3, 5, {"###", "#..", "###", "..#", "###"}},
    {3, 5, {"###", "#..", "###", "#.#", "###"}}, {3, 5, {"###", "..#", ".#.", ".#.", ".#."}},
    {3, 5, {"###", "#.#", "###", "#.#", "###"}}, {3, 5, {"###", "#.#", "###", "..#", "###"}},
};

const Glyph kLargeDigits[10] = {
    {5, 7, {".###.", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."}},
    {5, 7, {"..##.", ".###.", "..##.", "..##.", "..##.", "..##.", ".####"}},
    {5, 7, {".###.", "##.##", "...##", "..##.", ".##..", "##...", "#####"}},
    {5, 7, {"####.", "...##", "...##", ".###.", "...##", "...##", "####."}},
    {5, 7, {"...##", "..###", ".#.##", "#..##", "#####", "...##", "...##"}},
    {5, 7, {"#####", "##...", "####.", "...##", "...##", "##.##", ".###."}},
    {5, 7, {".###.", "##...", "####.", "##.##", "##.##", "##.##", ".###."}},
    {5, 7, {"#####", "...##", "..##.", "..##.", ".##..", ".##..", ".##.."}},
    {5, 7, {".###.", "##.##", "##.##", ".###.", "##.##", "##.##", ".###."}},
    {5, 7, {".###.", "##.##", "##.##", ".####", "...##", "..##.", ".##.."}},
};

const Glyph& CheckedDigit(const Glyph (&table)[10], int digit) {
    if (digit < 0 || digit > 9) throw std::out_of_range("digit out of range");
    return table[digit];
}

}  // namespace

const Glyph kQuestionGlyph{5, 7, {".###.", "##.##", "...##", "..##.", ".##..", ".....", ".##.."}};

const Glyph& SmallDigit(int digit) { return CheckedDigit(kSmallDigits, digit); }
const Glyph& LargeDigit(int digit) { return CheckedDigit(kLargeDigits, digit); }

void DrawGlyph(Pixmap& pixmap, const Glyph& glyph, int x, int y, int scale, std::uint32_t colour) {
    for (int row = 0; row < glyph.height; ++row) {
        std::string_view line = glyph.rows[row];
        for (int col = 0; col < glyph.width && col < static_cast<int>(line.size()); ++col)
            if (line[col] == '#') FillRect(pixmap, x + col * scale, y + row * scale, scale, scale, colour);
    }
}

}  // namespace kiv
