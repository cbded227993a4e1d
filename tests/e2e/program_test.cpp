#include "program_test.h"

#include <string>

namespace kiv::e2e {

namespace {

using settings_text::kSettingsKey;
const std::wstring kBackupKey = std::wstring(kSettingsKey) + L" (kept by the end-to-end tests)";

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool CopyKey(const std::wstring& from, const std::wstring& to) {
    HKEY source = nullptr;
    HKEY target = nullptr;
    bool copied = false;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
            ERROR_SUCCESS) {
        copied = RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
    }
    if (source) RegCloseKey(source);
    if (target) RegCloseKey(target);
    return copied;
}

// The tests run the program on the desktop of whoever runs them; the user's
// own calendar settings are set aside for the run and put back afterwards.
// A backup left by an interrupted run is never overwritten.
class SettingsSandbox : public ::testing::Environment {
public:
    void SetUp() override {
        if (KeyExists(kSettingsKey) && !KeyExists(kBackupKey)) {
            ASSERT_TRUE(CopyKey(kSettingsKey, kBackupKey)) << "cannot set the user's settings aside";
        }
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        if (KeyExists(kBackupKey) && CopyKey(kBackupKey, kSettingsKey)) {
            RegDeleteTreeW(HKEY_CURRENT_USER, kBackupKey.c_str());
        }
    }
};

const auto* const kSandbox = ::testing::AddGlobalTestEnvironment(new SettingsSandbox);

bool OwnsVisibleWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        bool found;
    } search{processId, false};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) noexcept -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->processId && IsWindowVisible(hwnd)) s->found = true;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void ProgramTest::SetUp() {
    const LSTATUS deleted = RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND) << "settings key not cleared";
    driver_ = std::make_unique<ProgramDriver>(ExecutableFolder() + L"KivCalendar.exe");
    ASSERT_NE(GetFileAttributesW(driver_->executable().c_str()), INVALID_FILE_ATTRIBUTES)
        << "KivCalendar.exe is not next to the test program";
    ASSERT_EQ(driver_->runningCopies(), 0) << "a copy of the program is already running";
}

void ProgramTest::TearDown() {
    driver_->endAll();
    EXPECT_EQ(driver_->runningCopies(), 0);
}

HWND ProgramTest::startFirst(const std::wstring& arguments, DWORD* processId) {
    const DWORD id = driver_->start(arguments);
    if (processId) *processId = id;
    HWND window = driver_->waitForWindow(id, kStartTimeout);
    EXPECT_NE(window, nullptr) << "no main window for the start with \"" << Narrow(arguments)
                               << "\"";
    return window;
}

bool ProgramTest::becomesVisible(HWND window) {
    return WaitUntil([window] { return IsWindowVisible(window) != FALSE; }, kReactionTimeout);
}

bool ProgramTest::becomesHidden(HWND window) {
    return WaitUntil([window] { return IsWindowVisible(window) == FALSE; }, kReactionTimeout);
}

bool ProgramTest::staysHidden(HWND window, std::chrono::milliseconds period) {
    return !WaitUntil([window] { return IsWindowVisible(window) != FALSE; }, period);
}

bool ProgramTest::staysShown(HWND window, std::chrono::milliseconds period) {
    return !WaitUntil([window] { return IsWindowVisible(window) == FALSE; }, period);
}

void ProgramTest::startSecondCopy(const std::wstring& arguments) {
    const auto started = std::chrono::steady_clock::now();
    const DWORD id = driver_->start(arguments);
    bool hadWindow = false;
    // Polled without a pause: a window shown for a moment must not slip by.
    const bool ended = WaitUntil(
        [&] {
            for (int i = 0; i < 50 && driver_->isRunning(id); ++i) {
                if (FindProcessWindow(id, kMainWindowClass) || OwnsVisibleWindow(id)) hadWindow = true;
            }
            return !driver_->isRunning(id);
        },
        10s);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    ASSERT_TRUE(ended) << "the second copy is still running";
    EXPECT_FALSE(hadWindow) << "the second copy made a window";
    // A start under Wine alone takes a few hundred milliseconds.
    EXPECT_LT(took, 5s) << "the second copy took " << took.count() << " ms to end";
    RecordProperty("second_copy_ms", static_cast<int>(took.count()));
}

void ProgramTest::storeNumber(const wchar_t* name, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

bool ProgramTest::instanceMutexExists() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex);
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

}  // namespace kiv::e2e
