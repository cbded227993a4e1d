// Fonts made for a window's DPI, and the room texts take in a window's font.
#pragma once

#include <windows.h>

#include <string_view>

#include "widgets/handles_win.h"

namespace kiv {

// A normal-weight font whose character height is given in pixels at 96 DPI.
UniqueFont CreateFontAt(const wchar_t* face, int heightAt96, UINT dpi);

// The width of a line of text in the window's font (WM_GETFONT).
int TextWidth(HWND window, std::wstring_view text);
// The height of the text broken into lines at the width, as a word-wrapping
// label of the window's font shows it.
int WrappedTextHeight(HWND window, std::wstring_view text, int width);

}  // namespace kiv
