#include "app/instance_win.h"

#include <string>

#include "app/app_texts.h"

namespace kiv {
namespace {
UINT g_activationMessage = 0;
}

UINT ActivationMessage() noexcept { return g_activationMessage; }

void RegisterActivationMessage() noexcept { g_activationMessage = RegisterWindowMessageW(texts::kActivationMessage); }

UniqueKernelHandle CreateInstanceMutex(bool& alreadyRunning) {
    const std::wstring name = std::wstring(texts::kApplicationTitle) + texts::kMutexSuffix;
    UniqueKernelHandle mutex(CreateMutexW(nullptr, TRUE, name.c_str()));
    alreadyRunning = GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex;
}

void ActivatePreviousInstance(const wchar_t* className) noexcept {
    HWND window = FindWindowW(className, nullptr);
    if (!window) return;
    // This copy was just started by the user and may take the foreground;
    // it hands that right on, or Windows would refuse the first copy's
    // SetForegroundWindow and only flash its taskbar button.
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId) AllowSetForegroundWindow(processId);
    SendNotifyMessageW(window, g_activationMessage, 0, 0);
}

}  // namespace kiv
