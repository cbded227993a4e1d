// A helper of the tests, run inside the Wine test session:
//   kiv_test_helper add-printers UNIX_FOLDER
//       installs the file-backed test printers (see test_printers_win.h);
//   kiv_test_helper record-open LOG_FILE FILE
//       stands in for the system's handler of a file type: appends the name
//       of the file it was asked to open to the log, one per line (UTF-8).
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/test_printers_win.h"

namespace {

int AddPrinters(const std::wstring& folder) {
    const std::wstring error = kiv::test::InstallTestPrinters(folder);
    if (error.empty()) return 0;
    std::fwprintf(stderr, L"kiv_test_helper: %ls\n", error.c_str());
    return 1;
}

int RecordOpen(const std::wstring& log, const std::wstring& file) {
    HANDLE out = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    const std::wstring line = file + L"\n";
    char text[MAX_PATH * 4] = {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), text, sizeof text, nullptr, nullptr);
    DWORD written = 0;
    const BOOL ok = WriteFile(out, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(out);
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"add-printers" && argc == 3) return AddPrinters(argv[2]);
    if (command == L"record-open" && argc == 4) return RecordOpen(argv[2], argv[3]);
    std::fwprintf(stderr, L"usage: kiv_test_helper add-printers UNIX_FOLDER | record-open LOG_FILE FILE\n");
    return 2;
}
