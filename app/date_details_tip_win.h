// A tooltip over one control whose text the owner sets: the details of the
// selected date over the toolbar's selected-date box.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/handles_win.h"

namespace kiv {

class DateDetailsTip {
public:
    // The tip shows over `tool` while the mouse rests on it; its lines break
    // at CR LF.
    void Create(HWND tool);
    // Sees each message before it is dispatched. The tooltip window itself
    // is made when the mouse first comes over the tool: a tooltip is a
    // costly window to make, and most starts never show it.
    void Preview(const MSG& msg);
    void SetText(const std::wstring& text);
    const std::wstring& Text() const noexcept { return text_; }
    HWND hwnd() const noexcept { return tip_.get(); }

private:
    void MakeTip();
    void Send(UINT message);

    UniqueWindow tip_;
    HWND tool_ = nullptr;
    std::wstring text_;
};

}  // namespace kiv
