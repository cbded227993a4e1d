#include "widgets/dialog_template_win.h"

#include <cstring>

namespace kiv {

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const std::wstring& title, const wchar_t* fontFace,
                               WORD pointSize) {
    add<WORD>(1);       // version
    add<WORD>(0xFFFF);  // extended template
    add<DWORD>(0);      // help id
    add<DWORD>(0);      // extended style
    add<DWORD>(style);
    countAt_ = bytes_.size();
    add<WORD>(0);
    for (short v : {short{0}, short{0}, cx, cy}) add<short>(v);
    add<WORD>(0);  // no menu
    add<WORD>(0);  // the system's dialog class
    addString(title);
    if (style & DS_SETFONT) {
        add<WORD>(pointSize);
        add<WORD>(FW_NORMAL);
        add<BYTE>(FALSE);  // italic
        add<BYTE>(DEFAULT_CHARSET);
        addString(fontFace ? fontFace : L"MS Shell Dlg");
    }
}

void DialogTemplate::addItem(SystemClass systemClass, int id, DWORD style, short x, short y, short cx, short cy,
                             const std::wstring& text) {
    while (bytes_.size() % sizeof(DWORD)) bytes_.push_back(0);
    add<DWORD>(0);  // help id
    add<DWORD>(0);  // extended style
    add<DWORD>(WS_CHILD | WS_VISIBLE | style);
    for (short v : {x, y, cx, cy}) add<short>(v);
    add<DWORD>(static_cast<DWORD>(id));
    add<WORD>(0xFFFF);
    add<WORD>(static_cast<WORD>(systemClass));
    addString(text);
    add<WORD>(0);  // no creation data
    WORD count = 0;
    std::memcpy(&count, bytes_.data() + countAt_, sizeof count);
    ++count;
    std::memcpy(bytes_.data() + countAt_, &count, sizeof count);
}

template <typename T>
void DialogTemplate::add(T value) {
    const size_t at = bytes_.size();
    bytes_.resize(at + sizeof value);
    std::memcpy(bytes_.data() + at, &value, sizeof value);
}

void DialogTemplate::addString(const std::wstring& s) {
    for (wchar_t c : s) add<wchar_t>(c);
    add<wchar_t>(L'\0');
}

}  // namespace kiv
