#include "widgets/color_chooser_win.h"

#include <utility>

#include "widgets/common_dialogs_win.h"

namespace kiv {
namespace {
ColorChooserHandler& Handler() {
    static ColorChooserHandler handler;
    return handler;
}
}  // namespace

std::optional<COLORREF> ChooseColorFor(HWND owner, COLORREF initial, CustomColors& custom) {
    if (Handler()) return Handler()(initial, custom);
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = initial;
    cc.lpCustColors = custom.data();
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorDialog(cc)) return std::nullopt;
    return cc.rgbResult;
}

ColorChooserHandler SetColorChooserHandler(ColorChooserHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace kiv
