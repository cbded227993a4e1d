#include "options/options_win.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <optional>
#include <string>
#include <vector>

#include "options/custom_colors.h"
#include "options/options_fit.h"
#include "widgets/color_win.h"
#include "widgets/common_dialogs_win.h"
#include "widgets/font_win.h"
#include "widgets/window_win.h"

namespace kiv {
namespace {

using K = OptionsItemKind;
namespace ids = options_ids;

// A bare carriage return breaks the line in the hint; the tooltip wants a line feed too.
std::wstring TooltipText(const std::wstring& hint) {
    std::wstring out;
    for (size_t i = 0; i < hint.size(); ++i) {
        out += hint[i];
        if (hint[i] == L'\r' && (i + 1 == hint.size() || hint[i + 1] != L'\n')) out += L'\n';
    }
    return out;
}

}  // namespace

class TfOptions::HotKeyWindow final : public HotKeyControl {
public:
    explicit HotKeyWindow(HWND control) : control_(control) {}
    void SendRules(std::uint16_t invalid, std::uint16_t modifiers) override {
        SendMessageW(control_, HKM_SETRULES, invalid, MAKELPARAM(modifiers, 0));
    }
    void SendHotKey(std::uint16_t word) override { SendMessageW(control_, HKM_SETHOTKEY, word, 0); }
    std::uint16_t ReadHotKey() const override {
        return static_cast<std::uint16_t>(SendMessageW(control_, HKM_GETHOTKEY, 0, 0));
    }

private:
    HWND control_;
};

TfOptions::TfOptions(TOptionsModel& model, MarkedDayFiles* files)
    : model_(model), files_(files ? files : &ownFiles_) {}

TfOptions::~TfOptions() { model_.HotKeyActivate.Attach(nullptr); }

INT_PTR TfOptions::Run(HWND owner) {
    // A fixed dialog frame: no sizing border, no minimise or maximise box.
    return runModal(owner, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, kOptionsCaption);
}

bool TfOptions::onInitDialog() {
    FormCreate();
    CreateControls();
    Layout(layoutDpi(), nullptr);
    ShowModel();
    return true;
}

void TfOptions::FormCreate() {
    singleClickHint_ =
        L"Show/hide the window with a single click in the taskbar icon.\r"
        L"By default, doble-click always shows the window (no toggle)";
    const auto slots = CustomColorSlots(
        SystemCustomColorEntries([](int index) { return static_cast<std::uint32_t>(GetSysColor(index)); }));
    for (size_t i = 0; i < slots.size(); ++i) customColors_[i] = slots[i];
}

void TfOptions::CreateControls() {
    static const bool classes = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_HOTKEY_CLASS | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)classes;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   0, 0, 0, 0, hwnd(), nullptr, instance, nullptr));
    // Created in tab order: the order of the windows is the order of Tab.
    for (const OptionsItem& item : OptionsLayout()) {
        const wchar_t* windowClass = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (item.kind) {
            case K::GroupBox: style |= BS_GROUPBOX; break;
            case K::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
            case K::Button:
                style |= WS_TABSTOP | (item.id == ids::kOk ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
                break;
            case K::List:
                windowClass = WC_COMBOBOXW;
                style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
                break;
            case K::HotKey:
                windowClass = HOTKEY_CLASSW;
                style |= WS_TABSTOP;
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case K::FileList:
                windowClass = WC_LISTVIEWW;
                style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP;
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case K::Label:
            case K::Note:
                windowClass = WC_STATICW;
                // A label with a hint must take the mouse for its tooltip.
                style |= SS_LEFT | SS_NOPREFIX | (item.hint ? SS_NOTIFY : 0);
                break;
            case K::ColorPanel: {
                auto panel = std::make_unique<TColorPanel>();
                panel->Create(hwnd(), item.id, 0, 0, 0, 0);
                AddHint(panel->hwnd(), item.hint);
                panels_.push_back(std::move(panel));
                continue;
            }
        }
        HWND control = CreateWindowExW(exStyle, windowClass, item.caption ? item.caption : L"", style, 0, 0, 0, 0,
                                       hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance,
                                       nullptr);
        if (!control) throw std::runtime_error("Cannot create the options dialog's controls");
        for (const wchar_t* text : item.items) SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (item.kind == K::FileList) {
            SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
            const wchar_t* headings[] = {L"File", L"State"};
            for (int n = 0; n < 2; ++n) {
                LVCOLUMNW column{};
                column.mask = LVCF_TEXT;
                column.pszText = const_cast<wchar_t*>(headings[n]);
                SendMessageW(control, LVM_INSERTCOLUMNW, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&column));
            }
        }
        const bool singleClick = item.setting == Setting::SingleClick;
        AddHint(control, singleClick ? singleClickHint_.c_str() : item.hint);
    }
    hotKeyWindow_ = std::make_unique<HotKeyWindow>(Control(OptionsControlId(Setting::Hotkey)));
}

void TfOptions::AddHint(HWND control, const wchar_t* hint) {
    if (!hint || !tooltip_) return;
    const std::wstring text = TooltipText(hint);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TfOptions::Layout(UINT dpi, const RECT* suggested) {
    const auto px = [dpi](int at96) { return ScaleForDpi(at96, dpi); };
    UniqueFont font = CreateFontAt(kOptionsFont, -kOptionsFontHeight, dpi);

    // What each caption needs in this font, drawn as its control draws it.
    const std::vector<OptionsItem>& layout = OptionsLayout();
    std::vector<int> needed(layout.size(), 0);
    int noteHeight = 0;
    for (size_t i = 0; i < layout.size(); ++i) {
        const OptionsItem& item = layout[i];
        HWND control = Control(item.id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        if (item.kind == K::List) {
            // The longest item, with the edges and the drop-down button.
            int widest = 0;
            for (const wchar_t* text : item.items) widest = std::max(widest, TextWidth(control, text));
            needed[i] = widest + px(4 + 17 + 4);
        }
        if (!item.caption) continue;
        const std::wstring caption = WithoutAccelerator(item.caption);
        switch (item.kind) {
            case K::CheckBox:
                needed[i] = CheckBoxCaptionWidth(static_cast<int>(dpi), DigitWidth(control), TextWidth(control, caption),
                                                 LastRightBearing(control, caption));
                break;
            case K::Label: needed[i] = TextWidth(control, caption) + 1; break;
            // The edges and the focus frame on either side.
            case K::Button: needed[i] = TextWidth(control, caption) + px(8); break;
            case K::Note: noteHeight = WrappedTextHeight(control, caption, px(item.width)); break;
            default: break;
        }
    }
    const OptionsFit fit = FitOptionsLayout(static_cast<int>(dpi), needed, noteHeight);

    for (size_t i = 0; i < layout.size(); ++i) {
        const OptionsItem& item = layout[i];
        const OptionsPlace& at = fit.places[i];
        HWND control = Control(item.id);
        int top = at.top, height = at.height;
        // The lists and the hot-key box draw their text from the top of
        // their field: the field is as tall as a line needs, at most the
        // place's height, and centred in the place.
        if (item.kind == K::List) {
            const int itemHeight = std::min(at.height - 6, LineHeight(control) + std::max(2, px(2)));
            SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
            top += (at.height - (itemHeight + 6)) / 2;
            // A drop-down list's window includes its list.
            height = itemHeight + 6 + px(16 * static_cast<int>(item.items.size()));
        } else if (item.kind == K::HotKey) {
            CentreSingleLineBox(control, at.left, at.top, at.width, at.height);
            continue;
        }
        SetWindowPos(control, nullptr, at.left, top, at.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (item.kind == K::FileList) {
            // The path takes most of the width; the state the rest.
            const int inner = at.width - 2 * GetSystemMetrics(SM_CXEDGE) - GetSystemMetrics(SM_CXVSCROLL);
            SendMessageW(control, LVM_SETCOLUMNWIDTH, 0, inner * 3 / 5);
            SendMessageW(control, LVM_SETCOLUMNWIDTH, 1, inner - inner * 3 / 5);
        }
    }
    font_ = std::move(font);
    if (tooltip_) SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, px(400));
    if (tooltip_) SendMessageW(tooltip_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);

    placeClient(fit.clientWidth, fit.clientHeight, suggested);
}

void TfOptions::ShowModel() {
    for (const OptionsItem& item : OptionsLayout()) {
        if (!item.setting || item.kind == K::Label) continue;
        const Setting s = *item.setting;
        HWND control = Control(item.id);
        switch (item.kind) {
            case K::CheckBox:
                SendMessageW(control, BM_SETCHECK, model_.Checked(s) ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case K::List: SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(model_.ItemIndex(s)), 0); break;
            case K::ColorPanel: Panel(s).SetColor(model_.PanelColor(s)); break;
            default: break;
        }
    }
    model_.HotKeyActivate.Attach(hotKeyWindow_.get());
    ShowEnabling();
    ShowMarkedFiles(0);
}

void TfOptions::ShowMarkedFiles(int select) {
    files_->SetPaths(model_.MarkedDayFiles());
    HWND list = Control(ids::kMarkedFiles);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const MarkedFile& file : files_->Files()) {
        std::wstring path = file.path;
        const std::wstring state = file.StateText();
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = path.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(state.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        ++row;
    }
    if (select >= row) select = row - 1;
    if (select >= 0) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(select), reinterpret_cast<LPARAM>(&state));
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(select), FALSE);
    }
    EnableWindow(Control(ids::kRemoveFile), SelectedFile() >= 0);
}

int TfOptions::SelectedFile() const {
    return static_cast<int>(SendMessageW(Control(ids::kMarkedFiles), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TfOptions::btnAddFileClick() {
    // Room for many names picked at once.
    std::vector<wchar_t> buffer(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = L"Calendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size() - 2);  // the last two NULs end the list in any case
    ofn.lpstrTitle = L"Add calendar files";
    ofn.lpstrDefExt = L"ics";
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                OFN_NOCHANGEDIR;
    if (!OpenFileDialog(ofn)) return;
    for (const std::wstring& path : PickedFilePaths(buffer.data())) model_.AddMarkedDayFile(path);
    ShowMarkedFiles(static_cast<int>(model_.MarkedDayFiles().size()) - 1);
}

void TfOptions::btnRemoveFileClick() {
    const int selected = SelectedFile();
    if (selected < 0) return;
    model_.RemoveMarkedDayFile(static_cast<std::size_t>(selected));
    ShowMarkedFiles(selected);
}

void TfOptions::ShowEnabling() {
    for (const OptionsItem& item : OptionsLayout()) {
        if (!item.setting) continue;
        const bool enabled = item.kind == K::Label ? (item.setting != Setting::NotifyIconColor ||
                                                      model_.NotifyIconColorLabelEnabled())
                                                   : model_.Enabled(*item.setting);
        EnableWindow(Control(item.id), enabled);
    }
}

TColorPanel& TfOptions::Panel(Setting panel) {
    for (auto& p : panels_)
        if (GetDlgCtrlID(p->hwnd()) == OptionsControlId(panel)) return *p;
    throw std::logic_error("No such colour panel");
}

void TfOptions::pnlColorClick(Setting panel) {
    const std::optional<COLORREF> chosen = ChooseColorFor(hwnd(), ColorToRGB(model_.PanelColor(panel)), customColors_);
    if (!chosen) return;
    model_.SetPanelColor(panel, static_cast<TColor>(*chosen & 0x00FFFFFFu));
    Panel(panel).SetColor(model_.PanelColor(panel));
}

void TfOptions::btnRestoreClick() {
    model_.RestoreDefaultColors();
    for (auto& p : panels_) {
        const auto s = static_cast<Setting>(GetDlgCtrlID(p->hwnd()) - ids::kFirstSetting);
        p->SetColor(model_.PanelColor(s));
    }
}

void TfOptions::Close(INT_PTR result) {
    // The hot-key box is read while its control is still there.
    if (result == IDOK) model_.HotKeyActivate.HotKey();
    model_.HotKeyActivate.Attach(nullptr);
    end(result);
}

void TfOptions::onCommand(WORD id, WORD code, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        Close(id);
        return;
    }
    if (id == ids::kRestore) {
        if (code == BN_CLICKED) btnRestoreClick();
        return;
    }
    if (id == ids::kAddFile || id == ids::kRemoveFile) {
        if (code == BN_CLICKED) id == ids::kAddFile ? btnAddFileClick() : btnRemoveFileClick();
        return;
    }
    if (id < ids::kFirstSetting || id >= ids::kFirstSetting + kSettingCount) return;
    const auto s = static_cast<Setting>(id - ids::kFirstSetting);
    switch (ControlKindOf(s)) {
        case OptionsControlKind::CheckBox:
            if (code != BN_CLICKED) return;
            model_.SetChecked(s, SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED);
            ShowEnabling();
            break;
        case OptionsControlKind::List:
            if (code == CBN_SELCHANGE)
                model_.SetItemIndex(s, static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)));
            break;
        case OptionsControlKind::ColorPanel:
            if (code == BN_CLICKED) pnlColorClick(s);
            break;
        case OptionsControlKind::HotKey: break;
    }
}

std::optional<INT_PTR> TfOptions::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_DPICHANGED:
            Layout(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lp);
            if (header.idFrom == static_cast<UINT_PTR>(ids::kMarkedFiles) && header.code == LVN_ITEMCHANGED)
                EnableWindow(Control(ids::kRemoveFile), SelectedFile() >= 0);
            return std::nullopt;
        }
        case WM_DESTROY:
            model_.HotKeyActivate.Attach(nullptr);
            tooltip_.reset();  // before the dialog that owns it
            return std::nullopt;
        default: return std::nullopt;
    }
}

bool ShowOptionsDialog(CalendarSettings& settings, HWND owner, MarkedDayFiles* markedFiles) {
    TOptionsModel model;
    model.Fill(settings);
    // The dialog reads the files added on a copy: cancelled, nothing changed.
    std::optional<MarkedDayFiles> files;
    if (markedFiles) files = *markedFiles;
    TfOptions form(model, files ? &*files : nullptr);
    if (form.Run(owner) != IDOK) return false;
    model.ReadBack(settings);
    if (markedFiles) *markedFiles = std::move(*files);
    return true;
}

}  // namespace kiv
