#include "widgets/common_dialogs_win.h"

#include <stdexcept>

namespace kiv {

LoadedLibrary::LoadedLibrary(const wchar_t* systemDll) noexcept {
    module_ = LoadLibraryExW(systemDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 without its 2011 loader update knows no such flag; the
    // libraries asked for here are known DLLs, which come from the system
    // folder in any case.
    if (!module_ && GetLastError() == ERROR_INVALID_PARAMETER) module_ = LoadLibraryW(systemDll);
}

LoadedLibrary::~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
}

namespace {

template <typename Function>
Function* CommonDialog(const char* name) {
    static const LoadedLibrary library(L"comdlg32.dll");
    Function* function = library.find<Function>(name);
    if (!function) throw std::runtime_error("Cannot load the system's common dialogs (comdlg32.dll)");
    return function;
}

}  // namespace

BOOL ChooseColorDialog(CHOOSECOLORW& data) {
    static const auto function = CommonDialog<BOOL WINAPI(CHOOSECOLORW*)>("ChooseColorW");
    return function(&data);
}

BOOL PrintDialog(PRINTDLGW& data) {
    static const auto function = CommonDialog<BOOL WINAPI(PRINTDLGW*)>("PrintDlgW");
    return function(&data);
}

BOOL OpenFileDialog(OPENFILENAMEW& data) {
    static const auto function = CommonDialog<BOOL WINAPI(OPENFILENAMEW*)>("GetOpenFileNameW");
    return function(&data);
}

}  // namespace kiv
