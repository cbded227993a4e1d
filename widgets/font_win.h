// Fonts made for a window's DPI, and the room texts take in a window's font.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "widgets/handles_win.h"

namespace kiv {

// A normal-weight font whose character height is given in pixels at 96 DPI.
UniqueFont CreateFontAt(const wchar_t* face, int heightAt96, UINT dpi);

// The width of a line of text in the window's font (WM_GETFONT), as far as
// its letters reach.
int TextWidth(HWND window, std::wstring_view text);
// The width of the digit 0 in the window's font.
int DigitWidth(HWND window);
// The height of the text broken into lines at the width, as a word-wrapping
// label of the window's font shows it.
int WrappedTextHeight(HWND window, std::wstring_view text, int width);

// A caption as it is drawn: "&" marks the next letter as its shortcut key,
// "&&" stands for "&".
std::wstring WithoutAccelerator(std::wstring_view caption);

}  // namespace kiv
