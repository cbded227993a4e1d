#include "program_driver.h"

#include <tlhelp32.h>

#include <iterator>
#include <stdexcept>
#include <thread>

namespace kiv::e2e {

using namespace std::chrono_literals;

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) throw std::runtime_error("GetModuleFileNameW failed");
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
}

bool Settle(HWND window) {
    for (int round = 0; round < 3; ++round) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) return false;
    }
    return true;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) noexcept {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId) return TRUE;
    wchar_t name[64]{};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpW(name, search->className) != 0) return TRUE;
    if (search->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

std::wstring FileName(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// The key-message parameter: repeat count 1, the scan code, and bit 29 for
// a key pressed while Alt is held; bits 30 and 31 for a release.
LPARAM KeyParam(WORD virtualKey, bool alt, bool up) {
    LPARAM lp = 1 | (static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16);
    if (alt) lp |= LPARAM{1} << 29;
    if (up) lp |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return lp;
}

HWND FocusOf(HWND window) {
    HWND focus = FocusedWindow(window);
    return focus ? focus : window;
}

}  // namespace

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, bool visibleOnly) {
    WindowSearch search{processId, className, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleChild(HWND parent, const wchar_t* className, const std::function<bool(HWND)>& accept) {
    struct ChildSearch {
        const wchar_t* className;
        const std::function<bool(HWND)>& accept;
        HWND found;
    } search{className, accept, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM lp) noexcept -> BOOL {
            auto* s = reinterpret_cast<ChildSearch*>(lp);
            wchar_t name[64]{};
            GetClassNameW(child, name, 64);
            if (lstrcmpiW(name, s->className) != 0 || !IsWindowVisible(child)) return TRUE;
            if (s->accept && !s->accept(child)) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool BringToForeground(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil([window] { return GetForegroundWindow() == window; }, 2s);
}

KeyRoute TypeAltKey(HWND window, WORD virtualKey) { return TypeKeys(window, {VK_MENU}, virtualKey); }

KeyRoute TypeKeys(HWND window, std::initializer_list<WORD> modifiers, WORD virtualKey) {
    // Wine hands hardware input only to the foreground window of its own
    // desktop; under Xvfb without a window manager SetForegroundWindow does
    // make it so, and then SendInput arrives like real typing.
    if (BringToForeground(window)) {
        for (WORD m : modifiers) SendKey(m, false);
        SendKey(virtualKey, false);
        SendKey(virtualKey, true);
        for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) SendKey(*m, true);
        return KeyRoute::Input;
    }
    bool alt = false;
    for (WORD m : modifiers) alt |= m == VK_MENU;
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    HWND focus = FocusOf(window);
    for (WORD m : modifiers) PostMessageW(focus, down, m, KeyParam(m, alt, false));
    PostMessageW(focus, down, virtualKey, KeyParam(virtualKey, alt, false));
    PostMessageW(focus, up, virtualKey, KeyParam(virtualKey, alt, true));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
        PostMessageW(focus, *m == VK_MENU ? WM_KEYUP : up, *m, KeyParam(*m, false, true));
    return KeyRoute::PostedMessage;
}

KeyRoute TypeSequence(HWND window, std::initializer_list<WORD> virtualKeys) {
    KeyRoute route = KeyRoute::Input;
    for (WORD key : virtualKeys) {
        route = TypeKeys(window, {}, key);
        // A key may move the focus; the next one goes where it went.
        Settle(window);
    }
    return route;
}

KeyRoute ClickWindow(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (BringToForeground(GetAncestor(control, GA_ROOT)) && SetCursorPos(middle.x, middle.y)) {
        INPUT clicks[2]{};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        return KeyRoute::Input;
    }
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
    return KeyRoute::PostedMessage;
}

namespace {
constexpr wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";
}  // namespace

bool HaveXdotool() { return GetFileAttributesW(kXdotool) != INVALID_FILE_ATTRIBUTES; }

bool Xdotool(const std::string& arguments) {
    std::wstring command = std::wstring(kXdotool) + L" " + std::wstring(arguments.begin(), arguments.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

HWND WaitForDialog(DWORD processId, const wchar_t* caption, std::chrono::milliseconds timeout) {
    struct Search {
        DWORD processId;
        const wchar_t* caption;
        HWND found;
    } search{processId, caption, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(
                [](HWND hwnd, LPARAM lp) noexcept -> BOOL {
                    auto* s = reinterpret_cast<Search*>(lp);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    wchar_t name[16]{}, text[256]{};
                    GetClassNameW(hwnd, name, 16);
                    GetWindowTextW(hwnd, text, 256);
                    if (owner != s->processId || lstrcmpW(name, L"#32770") || lstrcmpW(text, s->caption) ||
                        !IsWindowVisible(hwnd))
                        return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeout);
    return search.found;
}

std::wstring DialogText(HWND dialog) {
    std::wstring text;
    for (HWND child = FindWindowExW(dialog, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(dialog, child, L"Static", nullptr)) {
        wchar_t part[1024]{};
        if (GetWindowTextW(child, part, 1024) > 0) text += std::wstring(part) + L"\n";
    }
    return text;
}

ForegroundDecoy::ForegroundDecoy() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
    if (window_) BringToForeground(window_);
}

ForegroundDecoy::~ForegroundDecoy() {
    if (threadId_) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void ForegroundDecoy::run(HANDLE ready) {
    static const wchar_t kClass[] = L"KivE2eForegroundDecoy";
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kClass, L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
    threadId_ = GetCurrentThreadId();
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts to it
    SetEvent(ready);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (window_) DestroyWindow(window_);
}

ProgramDriver::ProgramDriver(std::wstring executable) : executable_(std::move(executable)) {}

ProgramDriver::~ProgramDriver() { endAll(); }

DWORD ProgramDriver::start(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + executable_ + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(executable_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        throw std::runtime_error("cannot start the program (error " + std::to_string(GetLastError()) + ")");
    }
    CloseHandle(info.hThread);
    copies_.push_back({info.dwProcessId, info.hProcess});
    return info.dwProcessId;
}

HANDLE ProgramDriver::processHandle(DWORD processId) const {
    for (const Copy& copy : copies_) {
        if (copy.id == processId) return copy.process;
    }
    throw std::logic_error("process not started by this driver");
}

HWND ProgramDriver::waitForWindow(DWORD processId, std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindProcessWindow(processId, kMainWindowClass);
            return found != nullptr || !isRunning(processId);
        },
        timeout);
    return found;
}

bool ProgramDriver::isRunning(DWORD processId) const {
    return WaitForSingleObject(processHandle(processId), 0) == WAIT_TIMEOUT;
}

bool ProgramDriver::waitForExit(DWORD processId, std::chrono::milliseconds timeout, DWORD* exitCode) const {
    HANDLE process = processHandle(processId);
    if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process, exitCode);
    return true;
}

int ProgramDriver::runningCopies() const {
    const std::wstring name = FileName(executable_);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot list processes");
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(FileName(entry.szExeFile).c_str(), name.c_str()) == 0) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

void ProgramDriver::endAll() noexcept {
    for (const Copy& copy : copies_) {
        if (WaitForSingleObject(copy.process, 0) == WAIT_TIMEOUT) TerminateProcess(copy.process, 1);
    }
    for (const Copy& copy : copies_) {
        WaitForSingleObject(copy.process, 10000);
        CloseHandle(copy.process);
    }
    copies_.clear();
}

}  // namespace kiv::e2e
