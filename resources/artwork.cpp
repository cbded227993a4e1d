#include "resources/artwork.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "resources/artwork_paint.h"

namespace kiv {
namespace {

// Every picture is laid out on a 16-unit grid and snapped to whole pixels,
// so the 16-pixel images are exact and the larger ones keep the proportions.
struct Grid {
    int size;
    double unit() const { return size / 16.0; }
    double at(double units) const { return std::round(units * size / 16.0); }
    // Outline width: one pixel up to 32, then growing slowly.
    int line() const { return std::max(1, static_cast<int>(std::lround(size / 24.0))); }
};

namespace colour {
constexpr std::uint32_t kPaper = Opaque(0xFFFFFF);
constexpr std::uint32_t kPaperShade = Opaque(0xD8DDE3);
constexpr std::uint32_t kFrame = Opaque(0x4A4F57);
constexpr std::uint32_t kInk = Opaque(0x2E3440);
constexpr std::uint32_t kHeader = Opaque(0xE0463B);
constexpr std::uint32_t kHeaderLight = Opaque(0xF07167);
constexpr std::uint32_t kHeaderDark = Opaque(0x962820);
constexpr std::uint32_t kRing = Opaque(0xB4BAC2);
constexpr std::uint32_t kGridDot = Opaque(0xA9B1BB);
constexpr std::uint32_t kGreen = Opaque(0x38B24A);
constexpr std::uint32_t kGreenLight = Opaque(0x74D880);
constexpr std::uint32_t kGreenDark = Opaque(0x1C6E2A);
constexpr std::uint32_t kBlue = Opaque(0x2F77D6);
constexpr std::uint32_t kBlueLight = Opaque(0x62A1F0);
constexpr std::uint32_t kBlueDark = Opaque(0x1A4C94);
constexpr std::uint32_t kSteel = Opaque(0x97A1AC);
constexpr std::uint32_t kSteelLight = Opaque(0xC3CBD3);
constexpr std::uint32_t kSteelDark = Opaque(0x454D57);
constexpr std::uint32_t kWood = Opaque(0xB0743E);
constexpr std::uint32_t kWoodLight = Opaque(0xCC9156);
constexpr std::uint32_t kWoodDark = Opaque(0x5E3A1C);
constexpr std::uint32_t kBrass = Opaque(0xF2C94C);
constexpr std::uint32_t kRed = Opaque(0xE23B30);
constexpr std::uint32_t kRedDark = Opaque(0x8E1C15);
constexpr std::uint32_t kLamp = Opaque(0x4CD35E);
}  // namespace colour

void RequireSize(int size) {
    if (size < 8 || size > 1024) throw std::invalid_argument("image size out of range");
}

// Paints the mask outlined, with the upper part of its inside lighter so the
// shape reads as lit from above.
void PaintLit(Pixmap& p, const Mask& shape, const Grid& g, std::uint32_t fill, std::uint32_t light,
              std::uint32_t outline, double lightBelow) {
    PaintOutlined(p, shape, fill, outline, g.line());
    Mask top = shape.inset(g.line());
    Mask upper(p.width, p.height);
    upper.rect(0, 0, p.width, g.at(lightBelow));
    top.intersect(upper);
    Paint(p, top, light);
}

// A calendar sheet with its header band and binding rings; returns the
// pixel rectangle left for the page's contents.
struct Box {
    int x0, y0, x1, y1;
};

Box DrawSheet(Pixmap& p, const Grid& g, bool stacked) {
    const int t = g.line();
    const double bottom = stacked ? 14.5 : 15;
    Mask page(p.width, p.height);
    page.roundRect(g.at(1), g.at(2), g.at(15), g.at(bottom), g.size >= 32 ? g.unit() : 0);
    if (stacked) {
        // The sheets underneath peek out below the top one.
        Mask under(p.width, p.height);
        under.roundRect(g.at(1.5), g.at(2), g.at(14.5), g.at(bottom) + std::max(2 * t, static_cast<int>(g.unit())) + t,
                        g.unit());
        PaintOutlined(p, under, colour::kPaperShade, colour::kFrame, t);
    }
    PaintOutlined(p, page, colour::kPaper, colour::kFrame, t);

    const double headerBottom = g.at(6);
    Mask header = page;
    Mask band(p.width, p.height);
    band.rect(0, 0, p.width, headerBottom);
    header.intersect(band);
    PaintLit(p, header, g, colour::kHeader, colour::kHeaderLight, colour::kHeaderDark, 3.5);
    // The frame stays dark round the band, and the band's lower edge is dark red.
    Mask frame = page;
    Mask inner = page.inset(t);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (inner.at(x, y)) frame.set(x, y, false);
    Paint(p, frame, colour::kFrame);

    // Rings: two pixels wide at 16 so they survive, centred on the page's thirds.
    for (double cx : {5.0, 11.0}) {
        Mask ring(p.width, p.height);
        ring.segment({g.at(cx), g.at(0.5) + g.unit()}, {g.at(cx), g.at(4) - g.unit()}, std::max(2.0, 2 * g.unit()));
        PaintOutlined(p, ring, colour::kRing, colour::kFrame, t);
    }
    return {static_cast<int>(g.at(1)) + t, static_cast<int>(headerBottom), static_cast<int>(g.at(15)) - t,
            static_cast<int>(g.at(bottom)) - t};
}

void DrawNumber(Pixmap& p, const Box& box, int number, std::uint32_t ink) {
    const int w = box.x1 - box.x0, h = box.y1 - box.y0;
    const int mx = std::max(1, w / 8), my = std::max(1, h / 8);
    const int tens = number / 10 % 10, units = number % 10;
    // As large as fits with some white all round; the rounder 5x7 digits win
    // unless the 3x5 ones come out clearly taller.
    auto fit = [&](const Glyph& g) {
        return std::max(1, std::min((w - 2 * mx) / (2 * g.width + 1), (h - 2 * my) / g.height));
    };
    const int smallScale = fit(SmallDigit(0)), largeScale = fit(LargeDigit(0));
    const bool large = largeScale * LargeDigit(0).height * 10 >= smallScale * SmallDigit(0).height * 9;
    const Glyph& a = large ? LargeDigit(tens) : SmallDigit(tens);
    const Glyph& b = large ? LargeDigit(units) : SmallDigit(units);
    const int scale = large ? largeScale : smallScale;
    const int textW = (a.width + 1 + b.width) * scale, textH = a.height * scale;
    const int x = box.x0 + (w - textW + 1) / 2, y = box.y0 + (h - textH + 1) / 2;
    DrawGlyph(p, a, x, y, scale, ink);
    DrawGlyph(p, b, x + (a.width + 1) * scale, y, scale, ink);
}

Pixmap TodayImage(int size) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    Box box = DrawSheet(p, g, false);
    // A hint of the month grid with today's cell marked.
    const int w = box.x1 - box.x0, h = box.y1 - box.y0;
    const int cell = std::max(2, static_cast<int>(std::lround(g.unit() * 2)));
    const int gapX = (w - 3 * cell) / 4, gapY = (h - 2 * cell) / 3;
    const int left = box.x0 + (w - 3 * cell - 2 * gapX) / 2, top = box.y0 + (h - 2 * cell - gapY + 1) / 2;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            int x = left + col * (cell + gapX), y = top + row * (cell + gapY);
            if (row == 1 && col == 1) {
                int grow = std::max(1, cell / 3);
                FillRect(p, x - grow, y - grow, cell + 2 * grow, cell + 2 * grow, colour::kRed);
            } else {
                FillRect(p, x, y, cell, cell, colour::kGridDot);
            }
        }
    }
    return p;
}

Pixmap GoImage(int size) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    Mask arrow(size, size);
    arrow.polygon({{g.at(1), g.at(5.5)},
                   {g.at(8), g.at(5.5)},
                   {g.at(8), g.at(1.5)},
                   {g.at(15), g.at(8)},
                   {g.at(8), g.at(14.5)},
                   {g.at(8), g.at(10.5)},
                   {g.at(1), g.at(10.5)}});
    PaintLit(p, arrow, g, colour::kGreen, colour::kGreenLight, colour::kGreenDark, 8);
    return p;
}

Pixmap GearImage(int size) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    const double c = size / 2.0, u = g.unit();
    // Teeth on the axes and diagonals: the axial ones land on whole pixels.
    const int teeth = 8;
    Mask gear(size, size);
    gear.disc(c, c, 5.4 * u);
    for (int i = 0; i < teeth; ++i) {
        double a = 2 * std::numbers::pi * i / teeth;
        double dx = std::cos(a), dy = std::sin(a), nx = -dy, ny = dx;
        double half = 1.05 * u, r0 = 4 * u, r1 = 7.6 * u;
        gear.polygon({{c + dx * r0 + nx * half, c + dy * r0 + ny * half},
                      {c + dx * r1 + nx * half, c + dy * r1 + ny * half},
                      {c + dx * r1 - nx * half, c + dy * r1 - ny * half},
                      {c + dx * r0 - nx * half, c + dy * r0 - ny * half}});
    }
    gear.disc(c, c, 2.1 * u, false);
    PaintLit(p, gear, g, colour::kSteel, colour::kSteelLight, colour::kSteelDark, 8);
    return p;
}

Pixmap ExitImage(int size) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    const int t = g.line();
    Mask door(size, size);
    door.rect(g.at(2), g.at(1), g.at(11), g.at(15));
    PaintOutlined(p, door, colour::kWood, colour::kWoodDark, t);
    // Panels give the door its shape at the larger sizes.
    if (size >= 24) {
        Mask panel(size, size);
        panel.rect(g.at(3.5), g.at(3), g.at(8), g.at(6.5));
        panel.rect(g.at(3.5), g.at(8.5), g.at(8), g.at(13));
        PaintOutlined(p, panel, colour::kWoodLight, colour::kWoodDark, t);
    }
    Mask knob(size, size);
    knob.disc(g.at(11) - t - 1.5 * g.unit(), g.at(7.5), std::max(0.8, 0.75 * g.unit()));
    Paint(p, knob, colour::kBrass);

    Mask cross(size, size);
    const double w = std::max(3.0, 2.6 * g.unit());
    cross.segment({g.at(10), g.at(10)}, {g.at(14.5), g.at(14.5)}, w);
    cross.segment({g.at(14.5), g.at(10)}, {g.at(10), g.at(14.5)}, w);
    // A light halo keeps the cross apart from the door behind it.
    Mask halo = cross;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (cross.at(x - 1, y) || cross.at(x + 1, y) || cross.at(x, y - 1) || cross.at(x, y + 1)) halo.set(x, y, true);
    halo.intersect(door);
    Paint(p, halo, colour::kPaper);
    PaintOutlined(p, cross, colour::kRed, colour::kRedDark, size >= 40 ? t : 0);
    return p;
}

// A coloured disc with a white sign on it.
Pixmap BadgeImage(int size, const Glyph& sign) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    Mask disc(size, size);
    disc.disc(size / 2.0, size / 2.0, size / 2.0 - 0.3);
    PaintLit(p, disc, g, colour::kBlue, colour::kBlueLight, colour::kBlueDark, 6);
    const int scale = std::max(1, static_cast<int>(size * 0.6 / sign.height));
    const int x = (size - sign.width * scale) / 2, y = (size - sign.height * scale) / 2;
    DrawGlyph(p, sign, x, y, scale, colour::kPaper);
    return p;
}

Pixmap PrintImage(int size) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    const int t = g.line();
    Mask sheetIn(size, size);
    sheetIn.rect(g.at(4), g.at(1), g.at(12), g.at(7));
    PaintOutlined(p, sheetIn, colour::kPaper, colour::kFrame, t);
    Mask body(size, size);
    body.roundRect(g.at(1), g.at(5), g.at(15), g.at(12), size >= 24 ? g.unit() : 0);
    PaintLit(p, body, g, colour::kSteel, colour::kSteelLight, colour::kSteelDark, 7);
    Mask lamp(size, size);
    lamp.rect(g.at(12), g.at(7), g.at(12) + std::max(1.0, g.at(1.5) - g.at(0)), g.at(8.5));
    Paint(p, lamp, colour::kLamp);
    Mask sheetOut(size, size);
    sheetOut.rect(g.at(4), g.at(10), g.at(12), g.at(15));
    PaintOutlined(p, sheetOut, colour::kPaper, colour::kFrame, t);
    // Printed lines on the sheet coming out.
    if (size >= 20) {
        const int left = static_cast<int>(g.at(4)) + 2 * t, right = static_cast<int>(g.at(12)) - 2 * t;
        for (double row : {12.0, 13.5}) FillRect(p, left, static_cast<int>(g.at(row)), right - left, t, colour::kGridDot);
    }
    return p;
}

Pixmap Strip(int size, std::initializer_list<Pixmap (*)(int)> images) {
    RequireSize(size);
    Pixmap strip = MakePixmap(size * static_cast<int>(images.size()), size);
    int x = 0;
    for (auto draw : images) {
        Blit(strip, draw(size), x, 0);
        x += size;
    }
    return strip;
}

Pixmap HelpImage(int size) { return BadgeImage(size, kQuestionGlyph); }

// A window rising from the taskbar: the tray menu's Show.
Pixmap ShowImage(int size) {
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    const int t = g.line();
    Mask window(size, size);
    window.rect(g.at(1), g.at(1), g.at(13), g.at(11));
    PaintOutlined(p, window, colour::kPaper, colour::kFrame, t);
    Mask title(size, size);
    title.rect(g.at(1) + t, g.at(1) + t, g.at(13) - t, g.at(4));
    Paint(p, title, colour::kBlue);
    Mask arrow(size, size);
    arrow.polygon({{g.at(12), g.at(6)},
                   {g.at(16), g.at(10.5)},
                   {g.at(13.5), g.at(10.5)},
                   {g.at(13.5), g.at(15)},
                   {g.at(10.5), g.at(15)},
                   {g.at(10.5), g.at(10.5)},
                   {g.at(8), g.at(10.5)}});
    PaintLit(p, arrow, g, colour::kGreen, colour::kGreenLight, colour::kGreenDark, 10);
    return p;
}

}  // namespace

Pixmap AppIcon(int size) {
    RequireSize(size);
    Pixmap p = MakePixmap(size, size);
    Grid g{size};
    Box box = DrawSheet(p, g, size >= 32);
    DrawNumber(p, box, 31, colour::kInk);
    return p;
}

Pixmap ToolbarStrip(int size) { return Strip(size, {TodayImage, GoImage, GearImage, ExitImage}); }

namespace {
// In the order of MenuImage.
constexpr Pixmap (*kMenuImages[kMenuImageCount])(int) = {TodayImage, GoImage,    HelpImage, PrintImage,
                                                          GearImage,  ShowImage, ExitImage};
}  // namespace

Pixmap MenuStrip(int size) {
    RequireSize(size);
    Pixmap strip = MakePixmap(size * kMenuImageCount, size);
    for (int i = 0; i < kMenuImageCount; ++i) Blit(strip, kMenuImages[i](size), i * size, 0);
    return strip;
}

Pixmap MenuImagePixmap(MenuImage image, int size) {
    const int index = static_cast<int>(image);
    if (index < 0 || index >= kMenuImageCount) throw std::out_of_range("no such menu image");
    RequireSize(size);
    return kMenuImages[index](size);
}

}  // namespace kiv
