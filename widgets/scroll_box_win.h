// A child window that holds one larger window and scrolls it, showing each
// scroll bar only while the content does not fit that way.
#pragma once

#include <windows.h>

#include "widgets/color.h"
#include "widgets/handles_win.h"
#include "widgets/window_win.h"

namespace kiv {

class TScrollBox final : public Window {
public:
    void Create(HWND parent, int id);
    void SetContent(HWND content) noexcept { content_ = content; }
    void SetColor(TColor color);
    // Re-reads the content's size and sets the bars and the content's place.
    void UpdateScrollBars();
    // Thickness of the bars at the box's DPI.
    int HorzScrollBarHeight() const noexcept;
    int VertScrollBarWidth() const noexcept;
    POINT ScrollPosition() const noexcept { return {posX_, posY_}; }

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Scroll(int bar, WORD request);
    void PlaceContent() noexcept;

    HWND content_ = nullptr;
    TColor color_ = SystemColor(syscolor::AppWorkspace);
    UniqueBrush brush_;
    int posX_ = 0, posY_ = 0;
    bool updating_ = false;
};

}  // namespace kiv
