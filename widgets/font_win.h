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
// The space between the ink of the text's last letter and the end of its
// advance in the window's font (negative where the letter leans out past
// it); 0 for an empty text or where the font does not say.
int LastRightBearing(HWND window, std::wstring_view text);
// The height of a line of text in the window's font.
int LineHeight(HWND window);
// The height a one-line box (an edit, a hot-key box) needs for a line of
// its font inside its frame. These boxes draw their text from the top of
// the field, so a taller box leaves its text high.
int SingleLineBoxHeight(HWND box);
// Places the box in the rectangle, no taller than it needs, centred up and down.
void CentreSingleLineBox(HWND box, int left, int top, int width, int height);
// The height of the text broken into lines at the width, as a word-wrapping
// label of the window's font shows it.
int WrappedTextHeight(HWND window, std::wstring_view text, int width);

// A caption as it is drawn: "&" marks the next letter as its shortcut key,
// "&&" stands for "&".
std::wstring WithoutAccelerator(std::wstring_view caption);

}  // namespace kiv
