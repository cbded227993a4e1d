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
    if (window) SendNotifyMessageW(window, g_activationMessage, 0, 0);
}

}  // namespace kiv
