#include "widgets/clipboard_win.h"

#include <cstring>

namespace kiv {

bool CopyTextToClipboard(HWND owner, const std::wstring& text) noexcept {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, text.c_str(), bytes);
        GlobalUnlock(memory);
    } else {
        GlobalFree(memory);
        return false;
    }
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 5 && !opened; ++attempt) {
        opened = OpenClipboard(owner) != FALSE;
        if (!opened) Sleep(10);
    }
    if (!opened) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Once set, the memory is the clipboard's.
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!set) GlobalFree(memory);
    CloseClipboard();
    return set;
}

}  // namespace kiv
