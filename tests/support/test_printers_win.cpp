#include "tests/support/test_printers_win.h"

#include <winspool.h>

#include <tuple>

namespace kiv::test {
namespace {

constexpr wchar_t kDriverName[] = L"Kiv Test PostScript";
constexpr wchar_t kPpdName[] = L"kivtest.ppd";
constexpr wchar_t kSpoolerKey[] = L"Software\\Wine\\Printing\\Spooler";

// Without a PPD in the driver folder Wine's driver cannot open the printer.
constexpr char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"KIVTEST.PPD\"\n"
    "*Manufacturer: \"Kiv\"\n"
    "*Product: \"(Kiv Test Printer)\"\n"
    "*ModelName: \"Kiv Test Printer\"\n"
    "*ShortNickName: \"Kiv Test Printer\"\n"
    "*NickName: \"Kiv Test Printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: True\n"
    "*DefaultColorSpace: RGB\n"
    "*TTRasterizer: Type42\n"
    "*OpenUI *PageSize/Media Size: PickOne\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*PageRegion Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*ImageableArea Letter/Letter: \"18 18 594 774\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*PaperDimension Letter/Letter: \"612 792\"\n"
    "*OpenUI *Resolution/Resolution: PickOne\n"
    "*DefaultResolution: 300dpi\n"
    "*Resolution 300dpi/300 DPI: \"<</HWResolution[300 300]>>setpagedevice\"\n"
    "*CloseUI: *Resolution\n"
    "*DefaultFont: Courier\n"
    "*Font Courier: Standard \"(002.004S)\" Standard ROM\n"
    "*Font Helvetica: Standard \"(001.006S)\" Standard ROM\n";

std::wstring Failure(const wchar_t* what) { return std::wstring(what) + L" failed: " + std::to_wstring(GetLastError()); }

std::wstring WritePpd() {
    wchar_t folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
        return Failure(L"GetPrinterDriverDirectory");
    CreateDirectoryW(folder, nullptr);
    const std::wstring path = std::wstring(folder) + L"\\" + kPpdName;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failure(L"writing the PPD");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, kPpd, sizeof kPpd - 1, &written, nullptr);
    CloseHandle(file);
    return ok && written == sizeof kPpd - 1 ? std::wstring() : Failure(L"writing the PPD");
}

std::wstring AddTestPrinter(const wchar_t* name, const wchar_t* port) {
    if (PrinterExists(name)) return {};
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(name);
    info.pPortName = const_cast<wchar_t*>(port);
    info.pDriverName = const_cast<wchar_t*>(kDriverName);
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return Failure(L"AddPrinter");
    ClosePrinter(printer);
    return {};
}

std::wstring MapPort(const wchar_t* port, const std::wstring& unixFile) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSpoolerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return L"opening Wine's spooler key failed";
    const LSTATUS status = RegSetValueExW(key, port, 0, REG_SZ, reinterpret_cast<const BYTE*>(unixFile.c_str()),
                                          static_cast<DWORD>((unixFile.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::wstring() : L"mapping the port failed";
}

}  // namespace

bool HasDefaultPrinter() {
    wchar_t name[256] = {};
    DWORD size = 256;
    return GetDefaultPrinterW(name, &size) != FALSE;
}

bool PrinterExists(const wchar_t* name) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name), &printer, nullptr)) return false;
    ClosePrinter(printer);
    return true;
}

std::wstring InstallTestPrinters(const std::wstring& unixFolder) {
    if (std::wstring error = WritePpd(); !error.empty()) return error;
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriverName);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(kPpdName);
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES))
        return Failure(L"AddPrinterDriverEx");
    for (const auto& [name, port, file] : {std::tuple{kTestPrinter, kTestPrinterPort, L"/first-printer.ps"},
                                           std::tuple{kSecondPrinter, kSecondPrinterPort, L"/second-printer.ps"}}) {
        if (std::wstring error = AddTestPrinter(name, port); !error.empty()) return error;
        if (std::wstring error = MapPort(port, unixFolder + file); !error.empty()) return error;
    }
    if (!SetDefaultPrinterW(kTestPrinter)) return Failure(L"SetDefaultPrinter");
    return {};
}

void RemoveTestPrinters() {
    for (const wchar_t* name : {kTestPrinter, kSecondPrinter}) {
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(const_cast<wchar_t*>(name), &printer, &access)) continue;
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
}

std::wstring PortUnixFile(const wchar_t* port) {
    wchar_t file[MAX_PATH] = {};
    DWORD size = sizeof file - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kSpoolerKey, port, RRF_RT_REG_SZ, nullptr, file, &size) != ERROR_SUCCESS)
        return {};
    return file;
}

std::wstring PortOutputFile(const wchar_t* port) {
    const std::wstring unixFile = PortUnixFile(port);
    if (unixFile.empty()) return {};
    // Wine's own conversion; its result is freed from the process heap.
    using ToDos = wchar_t*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return {};
    char narrow[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, unixFile.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
    wchar_t* dos = toDos(narrow);
    if (!dos) return {};
    std::wstring result = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

}  // namespace kiv::test
