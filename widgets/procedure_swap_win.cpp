#include "widgets/procedure_swap_win.h"

#include <stdexcept>

#include "widgets/window_win.h"

namespace kiv {

void ProcedureSwap::attach(HWND control) {
    detach();
    if (!control) throw std::runtime_error("Cannot extend a control");
    auto* link = reinterpret_cast<Link*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    const auto ours = reinterpret_cast<LONG_PTR>(&ProcedureSwap::procedure);
    if (link) {
        // Only a link of this class that nobody holds can be taken back.
        if (GetWindowLongPtrW(control, GWLP_WNDPROC) != ours || link->owner)
            throw std::runtime_error("Cannot extend a control");
        link->owner = this;
    } else {
        link = new Link{this, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC))};
        SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
        SetWindowLongPtrW(control, GWLP_WNDPROC, ours);
    }
    hwnd_ = control;
    link_ = link;
}

void ProcedureSwap::detach() noexcept {
    if (link_) link_->owner = nullptr;
    link_ = nullptr;
    hwnd_ = nullptr;
}

LRESULT CALLBACK ProcedureSwap::procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* link = reinterpret_cast<Link*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!link) return DefWindowProcW(h, msg, wp, lp);
    // Read first: the handler may end the window, and the link with it.
    const WNDPROC next = link->next;
    if (msg == WM_NCDESTROY) {
        if (ProcedureSwap* owner = link->owner) {
            try {
                if (owner->handler_) owner->handler_(msg, wp, lp);
            } catch (...) {
                ReportCurrentException();
            }
            owner->link_ = nullptr;
            owner->hwnd_ = nullptr;
        }
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        delete link;
        return CallWindowProcW(next, h, msg, wp, lp);
    }
    std::optional<LRESULT> handled;
    if (ProcedureSwap* owner = link->owner; owner && owner->handler_) {
        try {
            handled = owner->handler_(msg, wp, lp);
        } catch (...) {
            ReportCurrentException();
        }
    }
    return handled ? *handled : CallWindowProcW(next, h, msg, wp, lp);
}

}  // namespace kiv
