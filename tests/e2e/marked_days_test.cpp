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

// The stored list, or (with `path`) a list of that one file stored.
std::vector<std::wstring> StoredFiles(const std::wstring& path = {}) {
    constexpr wchar_t kValue[] = L"Marked day files";
    std::wstring data = path + L'\0' + L'\0';
    if (!path.empty())
        RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kValue, REG_MULTI_SZ, data.data(),
                        static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    data.assign(4096, L'\0');
    DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    std::vector<std::wstring> files;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &bytes) == 0)
        for (const wchar_t* s = data.data(); *s; s += wcslen(s) + 1) files.emplace_back(s);
    return files;
}

// The texts of every tooltip's tools on the desktop, read in their own
// processes, as a tooltip hands them out.
std::vector<std::wstring> ToolTipTexts() {
    std::vector<std::wstring> texts;
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        DWORD pid = 0;
        GetWindowThreadProcessId(tip, &pid);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        auto* remote = process ? static_cast<BYTE*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE))
                               : nullptr;
        for (int i = 0; remote && i < SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0); ++i) {
            TOOLINFOW info{};
            info.cbSize = sizeof info;
            info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof info);
            wchar_t text[1024] = {};
            WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
            WriteProcessMemory(process, info.lpszText, text, sizeof text, nullptr);
            if (!SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote))) continue;
            ReadProcessMemory(process, info.lpszText, text, sizeof text - sizeof(wchar_t), nullptr);
            texts.emplace_back(text);
        }
        if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
    }
    return texts;
}

std::wstring ClipboardText() {
    std::wstring text;
    HANDLE data = OpenClipboard(nullptr) ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (auto* p = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) text = p;
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

class MarkedDaysTest : public ProgramTest {
protected:
    static HWND OpenOptions(HWND window) {
        TypeKeys(window, {VK_CONTROL}, 'O');
        HWND dialog = nullptr;
        WaitUntil([&] { return (dialog = FindWindowW(L"#32770", L"Options")) && IsWindowVisible(dialog); },
                  kReactionTimeout);
        return dialog;
    }
    // A calendar file with one event today.
    void SetUp() override {
        ProgramTest::SetUp();
        char day[16];
        GetDateFormatA(LOCALE_INVARIANT, 0, nullptr, "yyyyMMdd", day, sizeof day);
        std::ofstream(file, std::ios::binary) << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" << day
                                              << "\r\nSUMMARY:Kiv Test Holiday\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }
    void TearDown() override {
        ProgramTest::TearDown();
        fs::remove(file);
    }
    fs::path file = fs::temp_directory_path() / ("kiv-e2e-" + std::to_string(GetCurrentProcessId()) + ".ics");
};

TEST_F(MarkedDaysTest, TodaysEventIsInTheTrayTipAndCtrlCCopiesTheDate) {
    ASSERT_EQ(StoredFiles(file.wstring()).size(), 1u);
    HWND window = startFirst(L"");
    ASSERT_TRUE(window && becomesVisible(window));

    const auto trayTipEndsWithTheEvent = [] {
        for (const std::wstring& text : ToolTipTexts())
            if (text.starts_with(L"Kiv Calendar") && text.ends_with(std::wstring(L"\r") + kEvent)) return true;
        return false;
    };
    EXPECT_TRUE(WaitUntil(trayTipEndsWithTheEvent, kReactionTimeout));

    wchar_t today[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 64);
    if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    TypeKeys(window, {VK_CONTROL}, 'C');
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == today; }, kReactionTimeout))
        << "the clipboard holds " << Narrow(ClipboardText());
}

TEST_F(MarkedDaysTest, TheOptionsDialogAddsAFileThroughTheFileDialogAndRemovesIt) {
    HWND window = startFirst(L"");
    ASSERT_TRUE(window && becomesVisible(window));
    HWND dialog = OpenOptions(window);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, kMarkedFiles);

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

    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kReactionTimeout));
    // Saved after the dialog has gone, with the settings applied.
    ASSERT_TRUE(WaitUntil([] { return StoredFiles().size() == 1; }, kReactionTimeout));
    EXPECT_TRUE(fs::equivalent(StoredFiles()[0], file));

    // And out again: the value goes with the last file.
    ASSERT_NE(dialog = OpenOptions(window), nullptr);
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
