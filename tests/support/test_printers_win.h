// The printers of the Wine test session: two PostScript printers on Wine's
// own driver whose ports are mapped to files, so every job ends up as a
// PostScript file the tests can read. No print server is involved.
#pragma once

#include <windows.h>

#include <string>

namespace kiv::test {

inline constexpr wchar_t kTestPrinter[] = L"Kiv Test Printer";      // on LPT1:, the default
inline constexpr wchar_t kSecondPrinter[] = L"Kiv Second Printer";  // on LPT2:
inline constexpr wchar_t kTestPrinterPort[] = L"LPT1:";
inline constexpr wchar_t kSecondPrinterPort[] = L"LPT2:";

// Installs the driver (with its PPD: level 3, colour, 300 dpi, A4 and
// Letter) and both printers, maps LPT1: and LPT2: to "first-printer.ps" and
// "second-printer.ps" in the Unix folder (not "lpt1.ps": Windows reads such
// a name as the port itself), and makes the first printer the default.
// Returns an empty string on success, else what failed.
std::wstring InstallTestPrinters(const std::wstring& unixFolder);

// Deletes both printers (the driver stays), so that the system has none.
void RemoveTestPrinters();

// Whether the system names a default printer.
bool HasDefaultPrinter();

// Whether a printer of that name is installed.
bool PrinterExists(const wchar_t* name);

// The Unix file a port is mapped to, empty when it is not.
std::wstring PortUnixFile(const wchar_t* port);

// The same file as a Windows path, empty when the port is not mapped.
std::wstring PortOutputFile(const wchar_t* port);

}  // namespace kiv::test
