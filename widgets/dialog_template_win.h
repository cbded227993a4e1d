// An extended dialog template written into memory, for dialogs built in
// code rather than from resources.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kiv {

// The predefined classes a template names by their atoms.
enum class SystemClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

class DialogTemplate {
public:
    // Sizes in dialog units. The font fields are written only when the
    // style asks for a font (DS_SETFONT, which DS_SHELLFONT includes).
    DialogTemplate(DWORD style, short cx, short cy, const std::wstring& title, const wchar_t* fontFace,
                   WORD pointSize);

    void addItem(SystemClass systemClass, int id, DWORD style, short x, short y, short cx, short cy,
                 const std::wstring& text);

    LPCDLGTEMPLATEW get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()); }

private:
    template <typename T>
    void add(T value);
    void addString(const std::wstring& s);

    // Items start on DWORD boundaries; the buffer comes from the heap, which
    // aligns it further.
    std::vector<BYTE> bytes_;
    size_t countAt_ = 0;
};

}  // namespace kiv
