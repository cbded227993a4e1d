// The system's common dialogs (comdlg32), loaded the first time one is
// wanted rather than at start: the library brings the printing system's
// libraries with it, which a calendar that is never printed does not need.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace kiv {

// A system DLL loaded by its owner and freed with it.
class LoadedLibrary {
public:
    // Loads from the system folder only; no module when it cannot be loaded.
    explicit LoadedLibrary(const wchar_t* systemDll) noexcept;
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    HMODULE get() const noexcept { return module_; }
    // The exported function; nullptr when it or the library is missing.
    template <typename Function>
    Function* find(const char* name) const noexcept {
        if (!module_) return nullptr;
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_ = nullptr;
};

// As ChooseColorW, PrintDlgW and GetOpenFileNameW; they throw std::runtime_error when
// comdlg32 cannot be loaded. The library stays loaded until the program ends.
BOOL ChooseColorDialog(CHOOSECOLORW& data);
BOOL PrintDialog(PRINTDLGW& data);
BOOL OpenFileDialog(OPENFILENAMEW& data);

}  // namespace kiv
