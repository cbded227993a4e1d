#include "app/printer_win.h"

#include <stdexcept>

#include "app/app_texts.h"
#include "widgets/common_dialogs_win.h"
#include "widgets/system_error_win.h"

namespace kiv {
namespace {

[[noreturn]] void ThrowLastError() {
    const DWORD code = GetLastError();
    throw SystemError(code ? code : ERROR_PRINTER_NOT_FOUND);
}

UniqueDc CreateDcFrom(HGLOBAL devNames, HGLOBAL devMode) {
    GlobalLockGuard<DEVNAMES> names(devNames);
    if (!names.get()) ThrowLastError();
    const auto* base = reinterpret_cast<const wchar_t*>(names.get());
    GlobalLockGuard<DEVMODEW> mode(devMode);
    UniqueDc dc(CreateDCW(base + names.get()->wDriverOffset, base + names.get()->wDeviceOffset, nullptr, mode.get()));
    if (!dc) ThrowLastError();
    return dc;
}

}  // namespace

void PrinterChoice::RunSetupDialog(HWND owner) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    dialog.hDevMode = devMode_.release();
    dialog.hDevNames = devNames_.release();
    PrintDialog(dialog);
    // Whatever the dialog ended with, the memory it hands back is ours again
    // (it may have replaced what it was given).
    devMode_.reset(dialog.hDevMode);
    devNames_.reset(dialog.hDevNames);
}

UniqueDc PrinterChoice::CreateDc() const {
    if (devNames_) return CreateDcFrom(devNames_.get(), devMode_.get());
    // Asked without a warning of its own, so the caller can report it.
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    const BOOL found = PrintDialog(dialog);
    UniqueGlobal devMode(dialog.hDevMode);
    UniqueGlobal devNames(dialog.hDevNames);
    if (!found || !devNames) throw std::runtime_error(Narrow(texts::kNoDefaultPrinter));
    return CreateDcFrom(devNames.get(), devMode.get());
}

PrinterDocument::~PrinterDocument() {
    if (open_) AbortDoc(dc_.get());
}

void PrinterDocument::Start(const std::wstring& name) {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocW(dc_.get(), &info) <= 0) ThrowLastError();
    open_ = true;
    if (StartPage(dc_.get()) <= 0) ThrowLastError();
}

void PrinterDocument::End() {
    if (EndPage(dc_.get()) <= 0) ThrowLastError();
    if (EndDoc(dc_.get()) <= 0) ThrowLastError();
    open_ = false;
}

}  // namespace kiv
