// The main window's toolbar: the Today, Go, Options and Exit buttons with
// their hints, and the two panels holding the year box and the selected-date box.
#pragma once

#include <windows.h>

#include <functional>

#include "app/main_menu.h"
#include "widgets/handles_win.h"
#include "widgets/number_edit_win.h"
#include "widgets/window_win.h"

namespace kiv {

// A plain container for the toolbar's panels.
class TPanel final : public Window {
public:
    void Create(HWND parent, int x, int y, int width, int height);

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
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
    // A button marked from the keyboard is unmarked when the bar loses the focus.
    class FocusHook : public Subclass {
    public:
        explicit FocusHook(MainToolbar& owner) : owner_(owner) {}

    protected:
        std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    private:
        MainToolbar& owner_;
    };

    void ClearHotButton();
    void MakeDpiResources();
    void LayoutPanels();
    int Scale(int px) const;

    HWND toolbar_ = nullptr;
    FocusHook focusHook_{*this};
    TPanel pnlToolBarYear_;
    TPanel pnlToolBarDate_;
    UniqueImageList images16_;
    UniqueImageList images24_;
    UniqueFont formFont_;
    UniqueFont tahomaFont_;
    bool large_ = false;
};

}  // namespace kiv
