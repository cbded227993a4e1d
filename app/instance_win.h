// One running copy per user log-on: the named mutex and the message a
// second copy sends to the first.
#pragma once

#include <windows.h>

#include "widgets/handles_win.h"

namespace kiv {

// The registered number of the activation message (0 before registration).
UINT ActivationMessage() noexcept;
void RegisterActivationMessage() noexcept;

// Creates the initially owned mutex; alreadyRunning tells whether another copy holds it.
UniqueKernelHandle CreateInstanceMutex(bool& alreadyRunning);

// Asks the copy whose main window has this class to come forward; without waiting.
void ActivatePreviousInstance(const wchar_t* className) noexcept;

}  // namespace kiv
