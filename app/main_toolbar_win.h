// The main window's toolbar: the Today, Go, Options and Exit buttons with
// their hints, and the two panels holding the year box and the selected-date box.
#pragma once

#include <windows.h>

#include <functional>

#include "app/main_menu.h"
#include "widgets/handles_win.h"
#include "widgets/number_edit_win.h"
#include "widgets/procedure_swap_win.h"
#include "widgets/window_win.h"

namespace kiv {

// A plain container for the toolbar's panels. It hands its box the box's
// own notices, so the box need not watch it.
class TPanel final : public Window {
public:
    void Create(HWND parent, int x, int y, int width, int height);
    void PassNoticesTo(TNumberEdit* box) noexcept { box_ = box; }

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TNumberEdit* box_ = nullptr;
};

class MainToolbar {
public:
    void Create(HWND parent);
    HWND hwnd() const noexcept { return toolbar_; }
    int Height() const;
    bool Visible() const;
    // True for the editing keys (Ctrl+A, C, V, X, Z) typed in the year box,
    // which the box keeps from the window's shortcuts.
    bool IsYearBoxEditingKey(const MSG& msg) const;
    void SetVisible(bool visible);
    // The 16- or 24-pixel set: images, button size and the panels' inner layout.
    void SetLargeIcons(bool large);
    // Fonts, images and sizes again for the window's new DPI.
    void DpiChanged();
    // Resizes the bar to its parent's width.
    void AutoSize();
    // Keyboard use: the bar takes the focus with one button marked as hot,
    // and Enter or Space clicks the hot button.
    void FocusButton(Command command);
    bool ClickHotButton();

    // Hints for the buttons; true when the notification was the tooltip's.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    TNumberEdit edYear;
    TNumberEdit edSelectedDate;
    HWND lblFixButtonSeparator1 = nullptr;
    HWND lblFixButtonSeparator2 = nullptr;
    HWND lblYear = nullptr;
    HWND lblSelectedDate = nullptr;

private:
    void ClearHotButton();
    void MakeDpiResources();
    void LayoutPanels();
    void LayoutPanelInsides();
    int Scale(int px) const;

    HWND toolbar_ = nullptr;
    UINT dpi_ = 96;  // the bar's, as its fonts and images were made for it
    // A button marked from the keyboard is unmarked when the bar loses the
    // focus. The bar is ours from creation to destruction: its procedure is
    // swapped rather than subclassed (see ProcedureSwap).
    ProcedureSwap focusHook_{[this](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_KILLFOCUS) ClearHotButton();
        return std::nullopt;
    }};
    TPanel pnlToolBarYear_;
    TPanel pnlToolBarDate_;
    UniqueImageList images16_;
    UniqueImageList images24_;
    UniqueFont formFont_;
    UniqueFont tahomaFont_;
    bool large_ = false;
    // What the panels were last laid out for, and where they were put.
    bool insidesLaid_ = false;
    UINT insidesDpi_ = 0;
    bool insidesLarge_ = false;
    int yearPanelWidth_ = 0, datePanelWidth_ = 0;
    RECT yearPanelRect_{}, datePanelRect_{};
};

}  // namespace kiv
