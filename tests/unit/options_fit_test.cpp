#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "options/options_fit.h"

namespace kiv {
namespace {

using K = OptionsItemKind;

// Caption widths at 8 points and 96 DPI in a font about a fifth wider than
// the one the dialog was laid out with, as measured under Wine.
const std::map<std::wstring, int> kWideFont = {
    {L"Always on top", 80}, {L"Load on Windows startup", 143}, {L"Show date in taskbar icon", 146},
    {L"Small numbers", 85}, {L"Bold", 25}, {L"Transparent", 69}, {L"Font color:", 60},
    {L"Long date format in the info tip", 177}, {L"Show week numbers by default", 178},
    {L"Multiple day selection", 122}, {L"Print background colors", 134}, {L"Default number of columns:", 158},
    {L"Show only the calendar itself", 164}, {L"Show toolbar by default", 135}, {L"Show large icons", 96},
    {L"Activate with single click in taskbar icon", 225}, {L"Close calendar with Escape", 155},
    {L"Activate with hotkey:", 119}, {L"Win +", 34}, {L"First day of the week:", 123},
    {L"First month displayed:", 126}, {L"Background color:", 103}, {L"Title background color:", 130},
    {L"Month background color:", 140}, {L"Title font color:", 86}, {L"Trailing font color:", 104},
    {L"&Restore default colors", 125}, {L"&OK", 16}, {L"&Cancel", 39}, {L"General", 40}, {L"Colors", 36},
};

// What each control needs in that font scaled to the DPI: a check box its
// box (13) and a gap (3) before the text, a label one pixel more, a button
// eight.
std::vector<int> Needed(int dpi, double widen = 1.0) {
    std::vector<int> needed;
    for (const OptionsItem& item : OptionsLayout()) {
        const auto text = item.caption ? kWideFont.find(item.caption) : kWideFont.end();
        const int width = text == kWideFont.end() ? 0 : static_cast<int>(text->second * widen * dpi / 96);
        switch (item.kind) {
            case K::CheckBox: needed.push_back(ScaleOptionsPixels(16, dpi) + width); break;
            case K::Label: needed.push_back(width + 1); break;
            case K::Button: needed.push_back(ScaleOptionsPixels(8, dpi) + width); break;
            default: needed.push_back(0); break;
        }
    }
    return needed;
}

OptionsPlace Laid(const OptionsItem& item, int dpi) {
    int left = item.left, top = item.top;
    if (item.group != OptionsGroup::None) {
        left += OptionsGroupBox(item.group).left;
        top += OptionsGroupBox(item.group).top;
    }
    return {ScaleOptionsPixels(left, dpi), ScaleOptionsPixels(top, dpi), ScaleOptionsPixels(item.width, dpi),
            ScaleOptionsPixels(item.height, dpi)};
}

size_t IndexOf(int id) {
    const auto& layout = OptionsLayout();
    for (size_t i = 0; i < layout.size(); ++i)
        if (layout[i].id == id) return i;
    throw std::logic_error("no such control");
}

TEST(OptionsFit, ACheckBoxCaptionHasRoomForTheLargerBoxAndItsLastPixel) {
    // {DPI, digit, text, its last letter's right bearing, width}: a blank last column takes the clipped pixel;
    // a themed box is 20 and 26 pixels at 144 and 192 DPI, Wine's 19 and 25.
    const int cases[][5] = {{96, 7, 50, 1, 67}, {96, 7, 50, 0, 68}, {120, 9, 40, -1, 62}, {144, 11, 230, 0, 257},
                            {192, 14, 163, 2, 197}};
    for (const auto& c : cases) EXPECT_EQ(CheckBoxCaptionWidth(c[0], c[1], c[2], c[3]), c[4]) << c[0] << " " << c[2];
}

TEST(OptionsFit, CaptionsThatFitLeaveTheLayoutExactlyAsItIs) {
    for (int dpi : {96, 120, 144}) {
        // A font a sixth narrower than the wide one: every caption fits its place.
        const OptionsFit fit = FitOptionsLayout(dpi, Needed(dpi, 0.83), ScaleOptionsPixels(26, dpi));
        EXPECT_EQ(fit.clientWidth, ScaleOptionsPixels(492, dpi));
        // 423 and the marked days' group below the colours.
        EXPECT_EQ(fit.clientHeight, ScaleOptionsPixels(423 + 134, dpi));
        const auto& layout = OptionsLayout();
        for (size_t i = 0; i < layout.size(); ++i) {
            OptionsPlace expected = Laid(layout[i], dpi);
            if (layout[i].kind == K::Label) expected.width = Needed(dpi, 0.83)[i];
            EXPECT_EQ(fit.places[i], expected) << "control " << layout[i].id << " at " << dpi;
        }
    }
}

// In the wide font every caption is shown whole, nothing overlaps on a row,
// and nothing leaves its group box.
TEST(OptionsFit, WideCaptionsGrowWithinTheirGroupsWithoutOverlapping) {
    for (int dpi : {96, 144}) {
        const std::vector<int> needed = Needed(dpi);
        const OptionsFit fit = FitOptionsLayout(dpi, needed, ScaleOptionsPixels(26, dpi));
        const auto& layout = OptionsLayout();
        for (size_t i = 0; i < layout.size(); ++i) {
            const OptionsPlace& at = fit.places[i];
            EXPECT_GE(at.width, needed[i]) << "control " << layout[i].id << " is cut at " << dpi;
            if (layout[i].group != OptionsGroup::None) {
                const OptionsPlace box = fit.places[IndexOf(OptionsGroupBox(layout[i].group).id)];
                EXPECT_GT(at.left, box.left) << layout[i].id;
                EXPECT_LT(at.right(), box.right()) << layout[i].id;
            }
            for (size_t j = 0; j < layout.size(); ++j) {
                const OptionsPlace& other = fit.places[j];
                const bool sameRow = i != j && layout[i].group == layout[j].group && layout[i].kind != K::GroupBox &&
                                     layout[j].kind != K::GroupBox && at.top < other.bottom() && other.top < at.bottom();
                if (sameRow) {
                    EXPECT_TRUE(at.right() <= other.left || other.right() <= at.left)
                        << layout[i].id << " overlaps " << layout[j].id << " at " << dpi;
                }
            }
        }
    }
    // At 96 DPI: "Bold" makes way for "Small numbers", the columns' list for
    // its label; the long check box and the right-hand labels move back left
    // to stay inside the group, the lists keeping their widths.
    const OptionsFit fit = FitOptionsLayout(96, Needed(96), 26);
    const auto place = [&](Setting s) { return fit.places[IndexOf(OptionsControlId(s))]; };
    EXPECT_EQ(place(Setting::UseSmallNumbers).right() + 3, place(Setting::BoldNumbers).left);
    EXPECT_EQ(fit.places[IndexOf(options_ids::kFirstLabel + 1)].right() + 3, place(Setting::ColumnsIndex).left);
    EXPECT_EQ(place(Setting::ColumnsIndex).width, 51);
    EXPECT_EQ(place(Setting::SingleClick).right(), 10 + 476 - 6);
    EXPECT_EQ(place(Setting::FirstMonth).right(), 10 + 476 - 6);
    EXPECT_EQ(place(Setting::FirstMonth).width, 111);
    EXPECT_EQ(place(Setting::AlwaysOnTop), (OptionsPlace{20, 25, 96, 17})) << "fits, so it stays";
    EXPECT_EQ(place(Setting::Hotkey), (OptionsPlace{320, 148, 156, 19})) << "fits, so it stays";
}

// The long check box that moves back left takes its column along; the
// indented ones keep their places.
TEST(OptionsFit, AColumnThatMakesWayKeepsOneLeftEdge) {
    for (int dpi : {96, 144, 192}) {
        const OptionsFit fit = FitOptionsLayout(dpi, Needed(dpi), ScaleOptionsPixels(26, dpi));
        const auto left = [&](Setting s) { return fit.places[IndexOf(OptionsControlId(s))].left; };
        const int column = left(Setting::SingleClick);
        EXPECT_LT(column, ScaleOptionsPixels(10 + 240, dpi)) << dpi;
        for (Setting s : {Setting::ShowOnlyCalendar, Setting::ShowToolbar, Setting::CloseOnEscape, Setting::UseHotkey})
            EXPECT_EQ(left(s), column) << static_cast<int>(s) << " at " << dpi;
        EXPECT_EQ(fit.places[IndexOf(options_ids::kFirstLabel + 2)].left, column) << dpi;
        EXPECT_EQ(left(Setting::LargeIcons), ScaleOptionsPixels(10 + 255, dpi));
    }
}

TEST(OptionsFit, ACaptionWiderThanItsGroupIsCutAtTheEdge) {
    std::vector<int> needed = Needed(96);
    needed[IndexOf(OptionsControlId(Setting::SingleClick))] = 600;
    const OptionsFit fit = FitOptionsLayout(96, needed, 26);
    const OptionsPlace at = fit.places[IndexOf(OptionsControlId(Setting::SingleClick))];
    EXPECT_EQ(at.right(), 10 + 476 - 6);
    // It goes no further left than the controls before it on the row allow.
    EXPECT_EQ(at.left, fit.places[IndexOf(OptionsControlId(Setting::BoldNumbers))].right() + 3);
}

TEST(OptionsFit, ATallerNoteGrowsItsGroupAndTheDialogAndMovesOnlyWhatIsBelowIt) {
    for (int dpi : {96, 144}) {
        const int grow = ScaleOptionsPixels(13, dpi);
        const OptionsFit laid = FitOptionsLayout(dpi, Needed(dpi), ScaleOptionsPixels(26, dpi));
        const OptionsFit fit = FitOptionsLayout(dpi, Needed(dpi), ScaleOptionsPixels(39, dpi));
        EXPECT_EQ(fit.clientHeight, laid.clientHeight + grow);
        const auto& layout = OptionsLayout();
        for (size_t i = 0; i < layout.size(); ++i) {
            OptionsPlace expected = laid.places[i];
            const bool below = layout[i].group == OptionsGroup::MarkedDays || layout[i].id == options_ids::kMarkedDays;
            if (layout[i].kind == K::Button || below) expected.top += grow;
            if (layout[i].id == options_ids::kColors || layout[i].kind == K::Note) expected.height += grow;
            EXPECT_EQ(fit.places[i], expected) << layout[i].id << " at " << dpi;
        }
    }
    // A note that fits changes nothing.
    EXPECT_EQ(FitOptionsLayout(96, Needed(96), 20).clientHeight, 423 + 134);
}

}  // namespace
}  // namespace kiv
