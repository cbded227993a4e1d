// A raised panel filled with one colour, with a hand cursor: clicking it (or
// Space while it has the focus) tells the parent with WM_COMMAND/BN_CLICKED.
#pragma once

#include <windows.h>

#include "widgets/color.h"
#include "widgets/window_win.h"

namespace kiv {

class TColorPanel final : public Window {
public:
    static constexpr const wchar_t* kClassName = L"KivColorPanel";

    void Create(HWND parent, int id, int x, int y, int width, int height);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint();
    void Click();

    TColor color_ = 0;
    bool pressed_ = false;
};

}  // namespace kiv
