// In-process tests of the Win32 layer: real windows and controls in this
// process. No test may block on a modal box, so an unexpected one fails.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "trayicon/notify_icon_win.h"
#include "widgets/application_win.h"
#include "widgets/message_box_win.h"

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    kiv::Application::instance().setTitle(L"Kiv Calendar");
    kiv::Application::instance().setIconId(IDI_KIV_CALENDAR);
    kiv::SetMessageBoxHandler([](HWND, const std::wstring& text, const std::wstring& caption, UINT) {
        ADD_FAILURE() << "unexpected message box: " << std::string(caption.begin(), caption.end()) << ": "
                      << std::string(text.begin(), text.end());
        return IDOK;
    });
    // The desktop's notification area is left alone unless a test asks for
    // it, and no test beeps.
    kiv::SetTrayShell({[](DWORD, NOTIFYICONDATAW*) { return TRUE; }, [](UINT) {}});
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
