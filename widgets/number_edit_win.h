// A single-line EDIT for whole numbers: only digits can be typed, the text
// aligns left or right, and it can be shown zero-padded to the maximum length.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "widgets/forwarding_subclass_win.h"
#include "widgets/procedure_swap_win.h"

namespace kiv {

enum class TNumberEditAlign : unsigned char { neLeft = 0, neRight = 1 };

class TNumberEdit {
public:
    TNumberEdit();
    TNumberEdit(const TNumberEdit&) = delete;
    TNumberEdit& operator=(const TNumberEdit&) = delete;
    ~TNumberEdit();

    // Creates the EDIT as a child of parent; extraStyle e.g. ES_READONLY | WS_TABSTOP.
    // Settings made before Create (text, alignment, limit, font) are applied to it.
    void Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle = 0);
    // Takes over an EDIT that exists already, such as a dialog's: it keeps
    // its text and alignment and is left to its parent to destroy. A limit
    // or font set before is applied to it.
    void Attach(HWND edit);
    HWND hwnd() const noexcept { return hwnd_; }

    TNumberEditAlign Align() const { return align_; }
    // The alignment is a creation style, so this re-creates the window, even
    // when the value does not change.
    void SetAlign(TNumberEditAlign align);

    bool PadNumber() const { return padNumber_; }
    void SetPadNumber(bool pad);

    // kNoNumber (-1) when the text is not a whole number.
    int Number() const;
    void SetNumber(int number);

    // 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

    // For a parent of the program's own that hands the box each WM_COMMAND
    // it gets (HandleParentCommand): the parent is then not watched. Set
    // before Create or Attach.
    void SetParentPassesNotices(bool value) noexcept { parentPassesNotices_ = value; }
    // A WM_COMMAND that the parent got; true when it was this box's change notice.
    bool HandleParentCommand(WPARAM wp, LPARAM lp);

    // Set by a key press in the box and cleared only by a key release in it.
    bool KeyIsDown() const noexcept { return keyIsDown_; }

    std::wstring Text() const;
    // Setting the text it already has changes nothing and notifies no one.
    void SetText(const std::wstring& text);
    void SelectAll();
    void SetFont(HFONT font);  // not owned
    // Pads the text when padding is on and no key is down.
    void Reformat();

    // Owner events. OnKeyPress may set handled = true to swallow the character.
    std::function<void(wchar_t ch, bool& handled)> OnKeyPress;
    std::function<void(WORD key)> OnKeyDown, OnKeyUp;
    std::function<void()> OnChange, OnExit;

private:
    struct Placement {
        HWND parent;
        int id;
        RECT rect;  // in the parent's client coordinates
        DWORD style;
        DWORD exStyle;
    };

    void createWindow(const Placement& placement, const std::wstring& text);
    void hookWindow(HWND edit, bool owned);
    void releaseWindow() noexcept;
    std::optional<LRESULT> onEditMessage(UINT msg, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onParentMessage(UINT msg, WPARAM wp, LPARAM lp);
    void onTextChanged();

    // The EDIT sends its change notices to its parent, so the parent is
    // watched too, for this box's own notices, unless it passes them on.
    // A box of its own, made and ended here, has its procedure swapped; an
    // attached one, which others may extend too, is subclassed.
    ProcedureSwap ownHook_{[this](UINT msg, WPARAM wp, LPARAM lp) { return onEditMessage(msg, wp, lp); }};
    ForwardingSubclass hook_{[this](UINT msg, WPARAM wp, LPARAM lp) { return onEditMessage(msg, wp, lp); }};
    ForwardingSubclass parentHook_{[this](UINT msg, WPARAM wp, LPARAM lp) { return onParentMessage(msg, wp, lp); }};
    HWND hwnd_ = nullptr;
    bool owned_ = true;  // false for an attached EDIT
    HFONT font_ = nullptr;
    std::wstring pendingText_;  // the text until the window exists
    int maxLength_ = 0;
    TNumberEditAlign align_ = TNumberEditAlign::neRight;
    bool padNumber_ = false;
    bool keyIsDown_ = false;
    bool parentPassesNotices_ = false;
};

}  // namespace kiv
