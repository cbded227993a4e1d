// The options dialog: a thin window over TOptionsModel, built from the
// layout at the dialog's DPI.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "markeddays/marked_files.h"
#include "settings/calendar_settings.h"
#include "options/options_layout.h"
#include "options/options_model.h"
#include "widgets/color_chooser_win.h"
#include "widgets/color_panel_win.h"
#include "widgets/dialog_win.h"
#include "widgets/handles_win.h"

namespace kiv {

// Runs the dialog on the record, owned by the main window. True when the
// user confirmed: the record then holds the dialog's values, and the
// calendar has its new colours. Otherwise the record is left untouched.
// `markedFiles`, when given, are the files the record names as read so
// far: the dialog shows their states, reads the ones added, and on
// confirmation leaves them as the dialog listed them.
bool ShowOptionsDialog(CalendarSettings& settings, HWND owner, MarkedDayFiles* markedFiles = nullptr);

class TfOptions final : public Dialog {
public:
    // `files` follows the model's list of calendar files while the dialog runs.
    explicit TfOptions(TOptionsModel& model, MarkedDayFiles* files = nullptr);
    ~TfOptions() override;

    // IDOK after "&OK"; the model then holds what the controls showed.
    INT_PTR Run(HWND owner);

protected:
    bool onInitDialog() override;
    std::optional<INT_PTR> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(WORD id, WORD code, HWND control) override;

private:
    class HotKeyWindow;

    void FormCreate();
    void CreateControls();
    void Layout(UINT dpi, const RECT* suggested);
    void AddHint(HWND control, const wchar_t* hint);
    void ShowModel();
    void ShowEnabling();
    void pnlColorClick(Setting panel);
    void btnRestoreClick();
    void btnAddFileClick();
    void btnRemoveFileClick();
    void ShowMarkedFiles(int select);
    int SelectedFile() const;
    void Close(INT_PTR result);
    HWND Control(int id) const { return GetDlgItem(hwnd(), id); }
    TColorPanel& Panel(Setting panel);

    TOptionsModel& model_;
    MarkedDayFiles ownFiles_;
    MarkedDayFiles* files_;
    std::unique_ptr<HotKeyWindow> hotKeyWindow_;
    std::vector<std::unique_ptr<TColorPanel>> panels_;
    UniqueWindow tooltip_;
    UniqueFont font_;
    CustomColors customColors_{};
    std::wstring singleClickHint_;
};

}  // namespace kiv
