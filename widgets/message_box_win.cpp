#include "widgets/message_box_win.h"

#include <utility>

namespace kiv {
namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

int openBoxes = 0;
}  // namespace

ModalBoxScope::ModalBoxScope() noexcept { ++openBoxes; }
ModalBoxScope::~ModalBoxScope() { --openBoxes; }
int OpenModalBoxes() noexcept { return openBoxes; }

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    ModalBoxScope open;
    if (Handler()) return Handler()(owner, text, caption, type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace kiv
