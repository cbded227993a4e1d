// A subclass that hands a control's messages to its owner: the owner's
// handler returns nullopt for what the control should go on to handle.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "widgets/window_win.h"

namespace kiv {

class ForwardingSubclass final : public Subclass {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp)>;

    explicit ForwardingSubclass(Handler handler) : handler_(std::move(handler)) {}

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        return handler_ ? handler_(msg, wp, lp) : std::nullopt;
    }

private:
    Handler handler_;
};

}  // namespace kiv
