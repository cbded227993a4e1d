#include "widgets/font_win.h"

#include <algorithm>

#include <stdexcept>

#include "widgets/window_win.h"

namespace kiv {
namespace {
HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }
}  // namespace

UniqueFont CreateFontAt(const wchar_t* face, int heightAt96, UINT dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -ScaleForDpi(heightAt96, dpi);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) throw std::runtime_error("Cannot create a font");
    return font;
}

int TextWidth(HWND window, std::wstring_view text) {
    WindowDc dc(window);
    SelectGuard select(dc.get(), FontOf(window));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    // A last letter that leans out past its advance ("f" in some fonts) is drawn in full too.
    ABC last{};
    if (!text.empty() && GetCharABCWidthsW(dc.get(), text.back(), text.back(), &last) && last.abcC < 0)
        size.cx -= last.abcC;
    return size.cx;
}

int LastRightBearing(HWND window, std::wstring_view text) {
    if (text.empty()) return 0;
    WindowDc dc(window);
    SelectGuard select(dc.get(), FontOf(window));
    ABC last{};
    return GetCharABCWidthsW(dc.get(), text.back(), text.back(), &last) ? last.abcC : 0;
}

int DigitWidth(HWND window) {
    WindowDc dc(window);
    SelectGuard select(dc.get(), FontOf(window));
    INT width = 0;
    GetCharWidth32W(dc.get(), L'0', L'0', &width);
    return width;
}

int LineHeight(HWND window) {
    WindowDc dc(window);
    SelectGuard select(dc.get(), FontOf(window));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

int SingleLineBoxHeight(HWND box) {
    const LONG_PTR style = GetWindowLongPtrW(box, GWL_STYLE), exStyle = GetWindowLongPtrW(box, GWL_EXSTYLE);
    const int frame = (exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CYEDGE)
                      : (style & WS_BORDER)         ? GetSystemMetrics(SM_CYBORDER)
                                                    : 0;
    // A pixel above and below the line, as the controls draw it.
    return LineHeight(box) + 2 * frame + 2;
}

void CentreSingleLineBox(HWND box, int left, int top, int width, int height) {
    const int fitted = std::min(height, SingleLineBoxHeight(box));
    SetWindowPos(box, nullptr, left, top + (height - fitted) / 2, width, fitted, SWP_NOZORDER | SWP_NOACTIVATE);
}

int WrappedTextHeight(HWND window, std::wstring_view text, int width) {
    WindowDc dc(window);
    SelectGuard select(dc.get(), FontOf(window));
    RECT rc{0, 0, width, 0};
    DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &rc,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return rc.bottom - rc.top;
}

std::wstring WithoutAccelerator(std::wstring_view caption) {
    std::wstring text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

}  // namespace kiv
