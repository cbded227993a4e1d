// The about box: the program's icon, name and version, the author's line,
// the e-mail and web addresses as fields that open them, and the terms of use.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "help/about.h"
#include "widgets/dialog_win.h"
#include "widgets/forwarding_subclass_win.h"
#include "widgets/handles_win.h"

namespace kiv {

// Shows the box modally and returns when it closes. An unowned box is a
// top-level window of its own; otherwise the owner form owns it. While one
// box is open, a second call brings it forward instead.
void ShowAboutBox(HWND ownerForm, bool unowned, const AboutVersion& version);

class TfAbout final : public Dialog {
public:
    TfAbout(HWND ownerForm, const AboutVersion& version, bool unowned);

    // Shows the box modally; IDOK when OK or Esc closed it.
    INT_PTR Run();

protected:
    bool onInitDialog() override;
    std::optional<INT_PTR> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(WORD id, WORD code, HWND control) override;

private:
    void FormCreate();
    void CreateControls();
    void Layout(UINT dpi, const RECT* suggested);
    void PaintBevels();
    void edEmailClick();
    void edWWWClick();
    // Lets a field take the hand cursor and report its clicks.
    void MakeLink(HWND field);
    HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

    HWND ownerForm_;
    bool unowned_;
    AboutVersion version_;
    UniqueFont font_;
    UniqueIcon icon_;
    std::vector<std::unique_ptr<ForwardingSubclass>> links_;
    std::vector<std::pair<RECT, bool>> bevels_;  // where they are drawn; true for a field's frame
};

}  // namespace kiv
