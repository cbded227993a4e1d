// Extends a control through a procedure of its own put in front of the
// control's (SetWindowLongPtr), for a window whose owner creates it and sees
// it to its end. Per message it costs a window-long read, where
// SetWindowSubclass looks its data up in a window property (a round trip to
// the server under Wine, twice per message).
//
// It is as safe as SetWindowSubclass here because the procedure is never
// taken out again: a swap undone out of order would cut off whoever swapped
// after it. detach() only stops the messages reaching the owner; the window
// goes on passing them to the control's procedure until it is destroyed. The
// link lives in the control's GWLP_USERDATA, which belongs to the program.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

namespace kiv {

class ProcedureSwap {
public:
    // Returns nullopt for what the control should go on to handle.
    using Handler = std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp)>;

    explicit ProcedureSwap(Handler handler) : handler_(std::move(handler)) {}
    ProcedureSwap(const ProcedureSwap&) = delete;
    ProcedureSwap& operator=(const ProcedureSwap&) = delete;
    ~ProcedureSwap() { detach(); }

    // Also takes back a window it let go of. Throws std::runtime_error when
    // the control's user data is taken.
    void attach(HWND control);
    void detach() noexcept;
    HWND hwnd() const noexcept { return hwnd_; }

private:
    // As long as the window: it outlives a detached owner.
    struct Link {
        ProcedureSwap* owner;
        WNDPROC next;
    };
    static LRESULT CALLBACK procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept;

    Handler handler_;
    HWND hwnd_ = nullptr;
    Link* link_ = nullptr;
};

}  // namespace kiv
