// "View help": the help page beside the program file, in the help window.
#include "app/main_window_win.h"
#include "help/show_html.h"
#include "help/show_html_win.h"
#include "resources/artwork.h"
#include "resources/pixmap_win.h"

namespace kiv {
namespace {
std::wstring ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
}  // namespace

void TfMain_calendar::mnViewHelpClick() {
    // The picture beside the menu item, as the window's icon.
    const UniqueIcon icon = CreateIconFromPixmap(MenuImagePixmap(MenuImage::Help, MenuImageSize()));
    TopmostPause pause(*this);  // so the help window can come in front
    ShowHtmlFile(HelpCaption(), HelpFilePath(ProgramFile()), hwnd(), icon.get(), false);
}

}  // namespace kiv
