// The user's calendar files from outside: an event on today's date in the
// tray icon's tip, Ctrl+C with the selection, and the options dialog's list
// of files. The event is put on the real today, so no clock is faked.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "program_test.h"

namespace kiv::e2e {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kSettingsKey[] = L"Software\\Kiv Soft\\Calendar";
constexpr wchar_t kEvent[] = L"Kiv Test Holiday";
constexpr int kMarkedFiles = 1105, kAddFile = 1106, kRemoveFile = 1107;

fs::path CalendarWithAnEventToday() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    char day[16];
    std::snprintf(day, sizeof day, "%04u%02u%02u", t.wYear, t.wMonth, t.wDay);
    const fs::path path = fs::temp_directory_path() / ("kiv-e2e-" + std::to_string(GetCurrentProcessId()) + ".ics");
    std::ofstream(path, std::ios::binary) << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" << day
                                          << "\r\nSUMMARY:Kiv Test Holiday\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    return path;
}

std::vector<std::wstring> StoredFiles() {
    std::vector<wchar_t> data(4096, L'\0');
    DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Marked day files", RRF_RT_REG_MULTI_SZ, nullptr, data.data(),
                     &bytes) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> files;
    for (const wchar_t* s = data.data(); *s; s += wcslen(s) + 1) files.emplace_back(s);
    return files;
}

void StoreFiles(const std::wstring& path) {
    const std::wstring value = path + L'\0' + L'\0';
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Marked day files", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()),
                   static_cast<DWORD>(value.size() * sizeof(wchar_t)));
    RegCloseKey(key);
}

// The texts of every tooltip's tools on the desktop, read in their own
// processes, as a tooltip hands them out.
std::vector<std::wstring> ToolTipTexts() {
    std::vector<HWND> tips;
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, TOOLTIPS_CLASSW, nullptr))) tips.push_back(h);
    std::vector<std::wstring> texts;
    for (HWND tip : tips) {
        DWORD pid = 0;
        GetWindowThreadProcessId(tip, &pid);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process) continue;
        constexpr SIZE_T kChars = 1024;
        auto* remote = static_cast<BYTE*>(
            VirtualAllocEx(process, nullptr, sizeof(TOOLINFOW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
        const auto count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; remote && i < count; ++i) {
            TOOLINFOW info{};
            info.cbSize = sizeof info;
            info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof info);
            std::vector<wchar_t> text(kChars, L'\0');
            WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
            WriteProcessMemory(process, remote + sizeof info, text.data(), kChars * sizeof(wchar_t), nullptr);
            if (!SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote))) continue;
            ReadProcessMemory(process, remote + sizeof info, text.data(), (kChars - 1) * sizeof(wchar_t), nullptr);
            texts.emplace_back(text.data());
        }
        if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    return texts;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class MarkedDaysTest : public ProgramTest {
protected:
    void TearDown() override {
        ProgramTest::TearDown();
        if (!file.empty()) fs::remove(file);
    }
    fs::path file;
};

TEST_F(MarkedDaysTest, TodaysEventIsInTheTrayTipAndCtrlCCopiesTheDate) {
    file = CalendarWithAnEventToday();
    StoreFiles(file.wstring());
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));

    std::wstring trayTip;
    const bool found = WaitUntil(
        [&] {
            for (const std::wstring& text : ToolTipTexts())
                if (text.starts_with(L"Kiv Calendar") && text.find(kEvent) != std::wstring::npos) trayTip = text;
            return !trayTip.empty();
        },
        kReactionTimeout);
    EXPECT_TRUE(found) << "no tray tip names the event";
    EXPECT_TRUE(trayTip.ends_with(std::wstring(L"\r") + kEvent)) << Narrow(trayTip);

    wchar_t today[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 64);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    TypeKeys(window, {VK_CONTROL}, 'C');
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == today; }, kReactionTimeout))
        << "the clipboard holds " << Narrow(ClipboardText());
}

TEST_F(MarkedDaysTest, TheOptionsDialogAddsAFileThroughTheFileDialogAndRemovesIt) {
    file = CalendarWithAnEventToday();
    HWND window = startFirst(L"");
    ASSERT_TRUE(window && becomesVisible(window));
    TypeKeys(window, {VK_CONTROL}, 'O');
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowW(L"#32770", L"Options")) && IsWindowVisible(dialog); },
                          kReactionTimeout));
    HWND list = GetDlgItem(dialog, kMarkedFiles);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kRemoveFile)));

    // The file dialog is modal inside the click: it is pressed from here.
    PostMessageW(GetDlgItem(dialog, kAddFile), BM_CLICK, 0, 0);
    HWND open = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (open = FindWindowW(L"#32770", L"Add calendar files")) != nullptr; },
                          kReactionTimeout));
    // The name box: an edit (edt1) or, in newer dialogs, a combo box (cmb13).
    HWND name = GetDlgItem(open, 0x480);
    if (!name) name = GetDlgItem(open, 0x47c);
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.wstring().c_str()));
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(open); }, kReactionTimeout));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1; }, kReactionTimeout));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kRemoveFile)));

    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kReactionTimeout));
    // Saved after the dialog has gone, with the settings applied.
    ASSERT_TRUE(WaitUntil([] { return StoredFiles().size() == 1; }, kReactionTimeout));
    const std::vector<std::wstring> stored = StoredFiles();
    EXPECT_TRUE(fs::equivalent(stored[0], file)) << Narrow(stored[0]);

    // And out again: the value goes with the last file.
    TypeKeys(window, {VK_CONTROL}, 'O');
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowW(L"#32770", L"Options")) && IsWindowVisible(dialog); },
                          kReactionTimeout));
    list = GetDlgItem(dialog, kMarkedFiles);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    SendMessageW(GetDlgItem(dialog, kRemoveFile), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kReactionTimeout));
    EXPECT_TRUE(WaitUntil([] { return StoredFiles().empty(); }, kReactionTimeout));
}

}  // namespace
}  // namespace kiv::e2e
