// A tooltip over one control whose text the owner sets: the details of the
// selected date over the toolbar's selected-date box.
#pragma once

#include <windows.h>

#include <string>

namespace kiv {

class DateDetailsTip {
public:
    DateDetailsTip() = default;
    DateDetailsTip(const DateDetailsTip&) = delete;
    DateDetailsTip& operator=(const DateDetailsTip&) = delete;
    ~DateDetailsTip();

    // The tip shows over `tool` while the mouse rests on it; its lines break
    // at CR LF.
    void Create(HWND tool);
    void SetText(const std::wstring& text);
    const std::wstring& Text() const noexcept { return text_; }
    HWND hwnd() const noexcept { return tip_; }

private:
    void Send(UINT message);

    HWND tip_ = nullptr;
    HWND tool_ = nullptr;
    std::wstring text_;
};

}  // namespace kiv
