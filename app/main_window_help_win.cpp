// "View help": the help page beside the program file, in the help window;
// and the about box.
#include "app/main_window_win.h"
#include "app/topmost_pause_win.h"
#include "settings/settings_registry_win.h"
#include "help/about_win.h"
#include "help/show_html.h"
#include "help/show_html_win.h"
#include "resources/artwork.h"
#include "resources/menu_images_win.h"
#include "resources/pixmap_win.h"

namespace kiv {

void TfMain_calendar::mnViewHelpClick() {
    // The picture beside the menu item, as the window's icon.
    const UniqueIcon icon = CreateIconFromPixmap(MenuImagePixmap(MenuImage::Help, MenuImageSizeForDpi(WindowDpi(hwnd()))));
    TopmostPause pause(*this);  // so the help window can come in front
    ShowHtmlFile(HelpCaption(), HelpFilePath(ProgramPath()), hwnd(), icon.get(), false);
}

void TfMain_calendar::mnAboutClick() {
    MainTray::MenuPause trayMenu(tray_);
    // Over a window hidden in the tray the box stands on its own.
    ShowAboutBox(hwnd(), !IsWindowVisible(hwnd()), kAboutVersion);
}

}  // namespace kiv
