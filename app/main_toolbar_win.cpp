#include "app/main_toolbar_win.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "app/app_texts.h"
#include "resources/artwork.h"
#include "resources/pixmap_win.h"
#include "widgets/font_win.h"

namespace kiv {
namespace {
constexpr wchar_t kPanelClass[] = L"KivToolbarPanel";
constexpr int kYearPanelPlaceholder = 2;  // button indexes of the panels' places
constexpr int kDatePanelPlaceholder = 5;
constexpr int kSpacerWidth = 26;
constexpr int kYearBoxWidth = 35;
constexpr int kDateBoxWidth = 75;
constexpr int kEditHeight = 21;
constexpr int kLabelLeft = kSpacerWidth + 2;

struct Metrics {
    int spacerHeight, labelTop, editTop, buttonWidth, buttonHeight, imageSize;
};
constexpr Metrics kSmall{25, 4, 1, 26, 22, 16};
constexpr Metrics kLarge{35, 9, 6, 36, 32, 24};

int TextWidth(HWND label) {
    wchar_t text[64];
    const int n = GetWindowTextW(label, text, 64);
    return kiv::TextWidth(label, std::wstring_view(text, static_cast<size_t>(n)));
}

// The box's design width, or more where the font needs it to show every digit.
int BoxWidth(HWND box, int designWidth, int maxDigits) {
    // A box without a length shows a short date: ten characters at most.
    const std::wstring widest = maxDigits > 0 ? std::wstring(static_cast<size_t>(maxDigits), L'8') : L"88/88/8888";
    const DWORD margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
    const int frame = 2 * GetSystemMetrics(SM_CXEDGE) + LOWORD(margins) + HIWORD(margins) + 2;
    const int needed = kiv::TextWidth(box, widest) + frame;
    return needed > designWidth ? needed : designWidth;
}

HWND CreateLabel(HWND parent, const wchar_t* text, HFONT font) {
    HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                 parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}
}  // namespace

void TPanel::Create(HWND parent, int x, int y, int width, int height) {
    registerClass(kPanelClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    create(kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, x, y, width, height, parent, nullptr);
}

std::optional<LRESULT> TPanel::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // Edits report to their parent; the box hears its own change first, then
    // the toolbar's owner, who listens to the rest.
    if (msg == WM_COMMAND) {
        if (box_) box_->HandleParentCommand(wp, lp);
        return SendMessageW(GetParent(GetParent(hwnd())), msg, wp, lp);
    }
    return std::nullopt;
}

// From the DPI read when the fonts and images were made: asking the system
// each time costs a look at the displays under Wine.
int MainToolbar::Scale(int px) const { return ScaleForDpi(px, dpi_); }

void MainToolbar::Create(HWND parent) {
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_TOP,
                               0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!toolbar_) throw std::runtime_error("Cannot create the toolbar");
    focusHook_.attach(toolbar_);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    MakeDpiResources();
    pnlToolBarYear_.Create(toolbar_, 0, 0, 0, 0);
    pnlToolBarYear_.PassNoticesTo(&edYear);
    edYear.SetParentPassesNotices(true);
    lblFixButtonSeparator1 = CreateLabel(pnlToolBarYear_.hwnd(), texts::kSpacerCaption, formFont_.get());
    lblYear = CreateLabel(pnlToolBarYear_.hwnd(), texts::kYearLabel, tahomaFont_.get());
    edYear.Create(pnlToolBarYear_.hwnd(), 0, 0, 0, 0, 0, WS_TABSTOP);
    edYear.SetFont(formFont_.get());
    edYear.SetMaxLength(4);

    pnlToolBarDate_.Create(toolbar_, 0, 0, 0, 0);
    pnlToolBarDate_.PassNoticesTo(&edSelectedDate);
    edSelectedDate.SetParentPassesNotices(true);
    lblFixButtonSeparator2 = CreateLabel(pnlToolBarDate_.hwnd(), texts::kSpacerCaption, formFont_.get());
    lblSelectedDate = CreateLabel(pnlToolBarDate_.hwnd(), texts::kSelectedDateLabel, formFont_.get());
    edSelectedDate.Create(pnlToolBarDate_.hwnd(), 0, 0, 0, 0, 0, ES_READONLY);
    edSelectedDate.SetFont(formFont_.get());

    const auto id = [](Command c) { return static_cast<int>(c); };
    TBBUTTON buttons[] = {
        {0, id(Command::Today), TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {Scale(8), 0, 0, BTNS_SEP, {}, 0, 0},
        // The panels' places are disabled buttons without a picture rather
        // than separators, so that a narrow bar wraps at them too.
        {I_IMAGENONE, 0, 0, BTNS_BUTTON, {}, 0, 0},  // the year panel's place
        {1, id(Command::GoButton), TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {Scale(8), 0, 0, BTNS_SEP, {}, 0, 0},
        {I_IMAGENONE, 0, 0, BTNS_BUTTON, {}, 0, 0},  // the date panel's place
        {Scale(8), 0, 0, BTNS_SEP, {}, 0, 0},
        {2, id(Command::Options), TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {Scale(8), 0, 0, BTNS_SEP, {}, 0, 0},
        {3, id(Command::Exit), TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    SendMessageW(toolbar_, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SetLargeIcons(false);
}

void MainToolbar::MakeDpiResources() {
    const UINT dpi = WindowDpi(toolbar_);
    dpi_ = dpi;
    insidesLaid_ = false;  // new fonts: the panels are measured again
    formFont_ = CreateFontAt(L"MS Sans Serif", 11, dpi);
    tahomaFont_ = CreateFontAt(L"Tahoma", 11, dpi);
    SendMessageW(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    const int small = ScaleForDpi(16, dpi);
    const int large = ScaleForDpi(24, dpi);
    images16_ = CreateImageList(ToolbarStrip(small), small);
    images24_ = CreateImageList(ToolbarStrip(large), large);
}

void MainToolbar::DpiChanged() {
    // The old fonts and images stay selected until the new ones replace them.
    UniqueFont oldForm = std::move(formFont_), oldTahoma = std::move(tahomaFont_);
    UniqueImageList old16 = std::move(images16_), old24 = std::move(images24_);
    MakeDpiResources();
    for (HWND label : {lblFixButtonSeparator1, lblFixButtonSeparator2, lblSelectedDate})
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), TRUE);
    SendMessageW(lblYear, WM_SETFONT, reinterpret_cast<WPARAM>(tahomaFont_.get()), TRUE);
    edYear.SetFont(formFont_.get());
    edSelectedDate.SetFont(formFont_.get());
    SetLargeIcons(large_);
}

void MainToolbar::SetLargeIcons(bool large) {
    large_ = large;
    const Metrics& m = large ? kLarge : kSmall;
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(large ? images24_.get() : images16_.get()));
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(Scale(m.imageSize), Scale(m.imageSize)));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(m.buttonWidth), Scale(m.buttonHeight)));
    AutoSize();
}

void MainToolbar::LayoutPanels() {
    // What is inside the panels depends only on the DPI and the button size:
    // measured and placed once for each, not on every resize.
    if (!insidesLaid_ || insidesDpi_ != dpi_ || insidesLarge_ != large_) {
        LayoutPanelInsides();
        insidesLaid_ = true;
        insidesDpi_ = dpi_;
        insidesLarge_ = large_;
    }
    const int spacerHeight = Scale((large_ ? kLarge : kSmall).spacerHeight);
    const auto placeInSlot = [&](TPanel& panel, int placeholder, int width, RECT& placed) {
        RECT slot{};
        SendMessageW(toolbar_, TB_GETITEMRECT, placeholder, reinterpret_cast<LPARAM>(&slot));
        const int top = slot.top + ((slot.bottom - slot.top) - spacerHeight) / 2;
        const RECT rect{slot.left, top < 0 ? 0 : top, slot.left + width, (top < 0 ? 0 : top) + spacerHeight};
        if (EqualRect(&rect, &placed)) return;
        placed = rect;
        SetWindowPos(panel.hwnd(), nullptr, rect.left, rect.top, width, spacerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    placeInSlot(pnlToolBarYear_, kYearPanelPlaceholder, yearPanelWidth_, yearPanelRect_);
    placeInSlot(pnlToolBarDate_, kDatePanelPlaceholder, datePanelWidth_, datePanelRect_);
}

void MainToolbar::LayoutPanelInsides() {
    const Metrics& m = large_ ? kLarge : kSmall;
    const int spacerHeight = Scale(m.spacerHeight);
    const auto place = [&](HWND w, int x, int y, int width, int height) {
        SetWindowPos(w, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const auto layout = [&](TPanel& panel, HWND spacer, HWND label, TNumberEdit& box, int boxWidth, int rightGap,
                            int placeholder, int& width) {
        place(spacer, 0, 0, Scale(kSpacerWidth), spacerHeight);
        const int labelWidth = TextWidth(label);
        const int boxLeft = Scale(kLabelLeft) + labelWidth + Scale(5);
        const int boxPixels = BoxWidth(box.hwnd(), Scale(boxWidth), box.MaxLength());
        CentreSingleLineBox(box.hwnd(), boxLeft, Scale(m.editTop), boxPixels, Scale(kEditHeight));
        // The label's line stands level with the box's.
        RECT boxRect{};
        GetWindowRect(box.hwnd(), &boxRect);
        MapWindowPoints(nullptr, panel.hwnd(), reinterpret_cast<POINT*>(&boxRect), 2);
        const int labelHeight = LineHeight(label);
        const int labelTop = boxRect.top + (boxRect.bottom - boxRect.top - labelHeight) / 2;
        place(label, Scale(kLabelLeft), labelTop > 0 ? labelTop : Scale(m.labelTop), labelWidth, labelHeight);
        // The panel's place on the bar is a button as wide as the panel.
        TBBUTTONINFOW info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_SIZE;
        width = boxLeft + boxPixels + Scale(rightGap);
        info.cx = static_cast<WORD>(width);
        SendMessageW(toolbar_, TB_SETBUTTONINFOW, placeholder, reinterpret_cast<LPARAM>(&info));
    };
    layout(pnlToolBarYear_, lblFixButtonSeparator1, lblYear, edYear, kYearBoxWidth, 3, kYearPanelPlaceholder,
           yearPanelWidth_);
    layout(pnlToolBarDate_, lblFixButtonSeparator2, lblSelectedDate, edSelectedDate, kDateBoxWidth, 2,
           kDatePanelPlaceholder, datePanelWidth_);
}

void MainToolbar::AutoSize() {
    // The bar sizes itself again, at its parent's width, once it may resize.
    const LONG_PTR style = GetWindowLongPtrW(toolbar_, GWL_STYLE);
    if (style & CCS_NORESIZE) SetWindowLongPtrW(toolbar_, GWL_STYLE, style & ~static_cast<LONG_PTR>(CCS_NORESIZE));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    // A wrapped bar may make itself taller than its rows: Wine counts a
    // separator that ends a row as a row of its own (TB_GETROWS says 3 for
    // two rows), and leaves a blank band under the last one. The bar is cut
    // to its lowest button and the margin a single row has below it, and kept
    // at that height until it is sized again.
    RECT outer{}, client{};
    GetWindowRect(toolbar_, &outer);
    GetClientRect(toolbar_, &client);
    const int height = outer.bottom - outer.top;
    int lowest = 0;
    const int count = static_cast<int>(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (SendMessageW(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) &&
            item.bottom > lowest)
            lowest = item.bottom;
    }
    const int rows = static_cast<int>(SendMessageW(toolbar_, TB_GETROWS, 0, 0));
    const int buttonHeight = HIWORD(SendMessageW(toolbar_, TB_GETBUTTONSIZE, 0, 0));
    const int margin = client.bottom - rows * buttonHeight;
    const int needed = height - client.bottom + lowest + (margin > 0 ? margin : 0);
    if (lowest > 0 && needed < height) {
        SetWindowLongPtrW(toolbar_, GWL_STYLE, style | CCS_NORESIZE);
        SetWindowPos(toolbar_, nullptr, 0, 0, outer.right - outer.left, needed,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Button rectangles move with the bar's height: keep the panels in their slots.
    LayoutPanels();
}

int MainToolbar::Height() const {
    RECT rc{};
    GetWindowRect(toolbar_, &rc);
    return rc.bottom - rc.top;
}

// The bar's own flag: it must read true while the main window is still hidden.
bool MainToolbar::Visible() const { return (GetWindowLongPtrW(toolbar_, GWL_STYLE) & WS_VISIBLE) != 0; }

void MainToolbar::SetVisible(bool visible) { ShowWindow(toolbar_, visible ? SW_SHOWNA : SW_HIDE); }

void MainToolbar::FocusButton(Command command) {
    const LRESULT index = SendMessageW(toolbar_, TB_COMMANDTOINDEX, static_cast<WPARAM>(command), 0);
    SetFocus(toolbar_);
    SendMessageW(toolbar_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
}

void MainToolbar::ClearHotButton() { SendMessageW(toolbar_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0); }

bool MainToolbar::ClickHotButton() {
    const LRESULT index = SendMessageW(toolbar_, TB_GETHOTITEM, 0, 0);
    TBBUTTON button{};
    if (index < 0 || !SendMessageW(toolbar_, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
        return false;
    if ((button.fsStyle & BTNS_SEP) || !(button.fsState & TBSTATE_ENABLED)) return false;
    SendMessageW(GetParent(toolbar_), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolbar_));
    return true;
}

bool MainToolbar::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != TTN_GETDISPINFOW) return false;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    const wchar_t* hint = nullptr;
    switch (static_cast<Command>(header.idFrom)) {
        case Command::Today: hint = texts::kHintToday; break;
        case Command::GoButton: hint = texts::kHintGoToYear; break;
        case Command::Options: hint = texts::kHintOptions; break;
        case Command::Exit: hint = texts::kHintExit; break;
        default: return false;
    }
    info.lpszText = const_cast<wchar_t*>(hint);
    // Set here rather than at creation: asking the bar for its tooltip makes
    // one at once, a costly window that most starts never show.
    SendMessageW(header.hwndFrom, TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);
    result = 0;
    return true;
}

bool MainToolbar::IsYearBoxEditingKey(const MSG& msg) const {
    // In the year box the editing keys edit the year.
    if (msg.message != WM_KEYDOWN || !edYear.hwnd() || msg.hwnd != edYear.hwnd()) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    switch (msg.wParam) {
        case 'A':
        case 'C':
        case 'V':
        case 'X':
        case 'Z': return true;
        default: return false;
    }
}

}  // namespace kiv
