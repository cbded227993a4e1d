// Program entry: one copy per user, the quiet switch, the main window and
// the message loop.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/instance_win.h"
#include "app/main_window_win.h"
#include "app/system_clock_win.h"
#include "resources/resource_ids.h"
#include "widgets/application_win.h"
#include "widgets/window_win.h"

#if defined(__GLIBCXX__) && defined(__MINGW32__)
// libstdc++'s default terminate handler writes the exception's demangled type
// to stderr, which a GUI program does not have, and brings the whole demangler
// into the executable (tens of kilobytes). Defining it here keeps the library's
// one out of the static link: this one tells a debugger what it can and aborts.
void __gnu_cxx::__verbose_terminate_handler() {
    OutputDebugStringW(L"Kiv Calendar: terminate called\n");
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            OutputDebugStringA(e.what());
        } catch (...) {
        }
    }
    std::abort();
}
#endif

namespace {
std::vector<std::wstring> Arguments() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

int Run() {
    using namespace kiv;
    Application& app = Application::instance();
    app.setTitle(texts::kApplicationTitle);
    app.setIconId(IDI_KIV_CALENDAR);
    RegisterActivationMessage();
    bool alreadyRunning = false;
    UniqueKernelHandle mutex = CreateInstanceMutex(alreadyRunning);
    if (alreadyRunning) {
        ActivatePreviousInstance(texts::kMainWindowClass);
        mutex.release();  // the process ends at once; the system closes it
        return 0;
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    if (IsQuietStart(Arguments())) app.showMainWindow = false;

    int exitCode = 0;
    {
        SystemClock clock;
        TfMain_calendar mainWindow(clock);
        if (!Guarded([&] { mainWindow.Create(); })) return 1;
        // The end settles what outlives the process, the tray icon and the
        // mutex, and leaves the windows to go with it. Unwound instead, every
        // shown window and box would be hidden on its own first, which costs
        // seconds under Wine without a window manager.
        app.setEndHandler([&] {
            mainWindow.Tray().Icon().SetVisible(false);
            mutex.reset();
            ExitProcess(0);
        });
        if (app.showMainWindow) ShowWindow(mainWindow.hwnd(), SW_SHOW);
        exitCode = app.run();
        app.setEndHandler(nullptr);
        mutex.reset();
    }
    return exitCode;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // What no window of the program caught ends it, reported as any other error.
    try {
        return Run();
    } catch (...) {
        kiv::ReportCurrentException();
        return 1;
    }
}
