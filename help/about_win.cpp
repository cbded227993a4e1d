#include "help/about_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <map>
#include <vector>
#include <stdexcept>
#include <utility>

#include "help/help_texts.h"
#include "help/browser_host_win.h"
#include "resources/pixmap_win.h"
#include "widgets/font_win.h"
#include "widgets/window_win.h"

namespace kiv {
namespace {

using K = AboutItemKind;
namespace ids = about_ids;

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr UINT kLinkClicked = WM_APP + 1;  // wParam: the field's id
constexpr int kFontHeight = 11;            // Tahoma, 8 points at 96 DPI
// Pixels at 96 DPI: the frame round the content, and where the paragraphs
// under the fields begin.
constexpr int kFrameRight = 10 + 373, kFrameBottom = 10 + 271, kFrameMargin = 8;
constexpr int kParagraphsTop = 150;

// The one box that is open.
TfAbout* OpenBox = nullptr;

void Open(const std::wstring& target) {
    // Some handlers are shell extensions, which want COM on this thread.
    OleSession com;
    // What the handler makes of it is its own affair; without one the system speaks for itself.
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

TfAbout::TfAbout(HWND ownerForm, const AboutVersion& version, bool unowned)
    : ownerForm_(ownerForm), unowned_(unowned), version_(version) {}

INT_PTR TfAbout::Run() {
    return runModal(unowned_ ? nullptr : ownerForm_, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                    kAboutCaption);
}

bool TfAbout::onInitDialog() {
    CreateControls();
    FormCreate();
    Layout(layoutDpi(), nullptr);
    return true;  // the OK button, first in the tab order, takes the focus
}

void TfAbout::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Created in tab order: the order of the windows is the order of Tab.
    for (const AboutItem& item : AboutLayout()) {
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        switch (item.kind) {
            case K::Button: windowClass = L"BUTTON"; style |= BS_DEFPUSHBUTTON | WS_TABSTOP; break;
            case K::Link: windowClass = L"EDIT"; style |= ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP; break;
            case K::Icon: style |= SS_ICON | SS_REALSIZECONTROL; break;
            case K::Label: style |= SS_LEFT | SS_NOPREFIX; break;
            case K::RightLabel: style |= SS_RIGHT | SS_NOPREFIX; break;
            case K::Wrapped: style |= SS_LEFT | SS_NOPREFIX; break;
        }
        HWND control = CreateWindowExW(0, windowClass, item.text ? item.text : L"", style, 0, 0, 0, 0, hwnd(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
        if (!control) throw std::runtime_error("Cannot create the about box's controls");
        if (item.kind == K::Link) MakeLink(control);
    }
}

void TfAbout::FormCreate() {
    SetWindowTextW(Control(ids::kVersion), AboutVersionText(version_).c_str());
    SetWindowTextW(Control(ids::kName), product::kName);
    SetWindowTextW(Control(ids::kAuthor), AboutAuthorText(version_).c_str());
}

void TfAbout::MakeLink(HWND field) {
    auto link = std::make_unique<ForwardingSubclass>([field, pressed = false](UINT msg, WPARAM, LPARAM lp) mutable
                                                     -> std::optional<LRESULT> {
        switch (msg) {
            case WM_SETCURSOR:
                if (LOWORD(lp) != HTCLIENT) return std::nullopt;
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            case WM_LBUTTONDOWN: pressed = true; return std::nullopt;
            case WM_LBUTTONUP: {
                // A click is a press and a release inside the field; it is
                // answered once the field has let the mouse go.
                RECT client{};
                GetClientRect(field, &client);
                const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                if (std::exchange(pressed, false) && PtInRect(&client, at))
                    PostMessageW(GetParent(field), kLinkClicked, static_cast<WPARAM>(GetDlgCtrlID(field)), 0);
                return std::nullopt;
            }
            default: return std::nullopt;
        }
    });
    link->attach(field);
    links_.push_back(std::move(link));
}

namespace {
// The width at which the control's word wrap breaks the text only at its
// spaces: the widest line of a wrap at spaces within `width`, when a word
// with a hyphen begins a line. The control would break after the hyphen if
// its first part fitted, splitting "e-mail" over two lines.
int WidthBreakingAtSpaces(HWND control, std::wstring_view text, int width) {
    int widest = 0;
    bool hyphenStartsALine = false;
    size_t lineStart = 0, lineEnd = 0;  // the line so far
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find(L' ', start), text.size());
        if (lineEnd > lineStart && TextWidth(control, text.substr(lineStart, end - lineStart)) + 1 > width) {
            widest = std::max(widest, TextWidth(control, text.substr(lineStart, lineEnd - lineStart)) + 1);
            lineStart = start;
            hyphenStartsALine |= text.substr(start, end - start).find(L'-') != std::wstring_view::npos;
        }
        lineEnd = end;
        start = end + 1;
    }
    widest = std::max(widest, TextWidth(control, text.substr(lineStart, lineEnd - lineStart)) + 1);
    // Only a word with a hyphen at the start of a line could be split.
    return hyphenStartsALine ? std::min(widest, width) : width;
}
}  // namespace

void TfAbout::Layout(UINT dpi, const RECT* suggested) {
    const auto px = [dpi](int at96) { return ScaleForDpi(at96, dpi); };
    UniqueFont font = CreateFontAt(L"Tahoma", kFontHeight, dpi);
    UniqueIcon icon = LoadProgramIcon(px(32));
    std::map<int, int> widened;  // by field
    struct Text {
        HWND control;
        int left, width, height;
    };
    std::vector<Text> wrapped;  // the two paragraphs under the fields, in order
    for (const AboutItem& item : AboutLayout()) {
        HWND control = Control(item.id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        wchar_t text[512] = {};
        const int length = GetWindowTextW(control, text, 512);
        const std::wstring_view caption(text, static_cast<size_t>(length));
        int left = px(item.left), width = px(item.width), height = px(item.height);
        switch (item.kind) {
            case K::Icon: SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0); break;
            case K::Label: width = TextWidth(control, caption) + 1; break;
            case K::RightLabel: {
                const int right = left + width;
                width = TextWidth(control, caption) + 1;
                left = right - width;
                break;
            }
            case K::Wrapped: {
                // A text a little wider than its place takes the frame's
                // margin rather than a second line (a line broken at the
                // hyphen of "e-mail" reads badly).
                const int oneLine = TextWidth(control, caption) + 1;
                const int widest = px(kFrameRight - kFrameMargin) - left;
                if (oneLine > width && oneLine <= widest)
                    width = oneLine;
                else if (oneLine > width)
                    width = WidthBreakingAtSpaces(control, caption, width);
                height = WrappedTextHeight(control, caption, width);
                wrapped.push_back({control, left, width, height});
                break;
            }
            case K::Link: {
                const auto margins = static_cast<DWORD>(SendMessageW(control, EM_GETMARGINS, 0, 0));
                width = std::max(width, TextWidth(control, caption) + LOWORD(margins) + HIWORD(margins) + 2);
                widened[item.id] = width - px(item.width);
                break;
            }
            case K::Button: break;
        }
        SetWindowPos(control, nullptr, left, px(item.top), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The paragraphs stand a line apart, the two together in the middle of
    // the room between the first one's place and the frame's foot.
    if (wrapped.size() == 2) {
        const int room = px(kFrameBottom - kFrameMargin) - px(kParagraphsTop);
        const int block = wrapped[0].height + px(13) + wrapped[1].height;
        int top = px(kParagraphsTop) + std::max(0, (room - block) / 2);
        for (const Text& t : wrapped) {
            SetWindowPos(t.control, nullptr, t.left, top, t.width, t.height, SWP_NOZORDER | SWP_NOACTIVATE);
            top += t.height + px(13);
        }
    }
    // A field's frame grows with it.
    bevels_.clear();
    for (const AboutBevel& bevel : AboutBevels()) {
        RECT rc{px(bevel.left), px(bevel.top), px(bevel.left + bevel.width), px(bevel.top + bevel.height)};
        if (bevel.field) rc.right += widened[bevel.field];
        bevels_.push_back({rc, bevel.field != 0});
    }
    // The controls let go of the old font and icon before they are freed.
    font_ = std::move(font);
    icon_ = std::move(icon);
    placeClient(px(kAboutClientWidth), px(kAboutClientHeight), suggested);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TfAbout::PaintBevels() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    for (auto& [rc, frame] : bevels_) DrawEdge(dc, &rc, frame ? EDGE_ETCHED : BDR_SUNKENOUTER, BF_RECT);
    EndPaint(hwnd(), &ps);
}

void TfAbout::edEmailClick() { Open(MailtoLink(kAboutEmail)); }

void TfAbout::edWWWClick() { Open(kAboutWebSite); }

void TfAbout::onCommand(WORD id, WORD, HWND) {
    // OK is the default and the cancel button: Enter, Esc and a click close the box alike.
    if (id == IDOK || id == IDCANCEL) end(IDOK);
}

std::optional<INT_PTR> TfAbout::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: PaintBevels(); return TRUE;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
            if (id != ids::kEmail && id != ids::kWeb) return std::nullopt;
            auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, kNavy);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case kLinkClicked:
            if (wp == ids::kEmail) edEmailClick();
            if (wp == ids::kWeb) edWWWClick();
            return TRUE;
        case WM_DPICHANGED:
            Layout(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
            return TRUE;
        case WM_DESTROY:
            for (auto& link : links_) link->detach();
            return std::nullopt;
        default: return std::nullopt;
    }
}

void ShowAboutBox(HWND ownerForm, bool unowned, const AboutVersion& version) {
    if (OpenBox) {
        SetForegroundWindow(OpenBox->hwnd());
        return;
    }
    TfAbout box(ownerForm, version, unowned);
    OpenBox = &box;
    struct Closed {
        ~Closed() { OpenBox = nullptr; }
    } closed;
    box.Run();
}

}  // namespace kiv
