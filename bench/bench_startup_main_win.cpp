// Start-up benchmark: how long a program takes from CreateProcess until its
// main window is on the screen and painted, how much memory it has used by
// then, and how long it takes to show its window again from the tray.
//
//   bench_startup [-n RUNS] [-shows K] [-pids]
//
// It compares KivCalendar.exe with the minimal program that shows the same
// control (minimal_calendar.exe), once plain ("floor") and once with one tray
// icon ("tray floor"), all taken from its own folder. The programs are started
// in turn, so that a slow spell of the machine falls on all of them alike.
// Every start ends the way a session ends (WM_QUERYENDSESSION, WM_ENDSESSION),
// so the program runs from launch to its own exit.
//
// With -pids it prints, for each start, the process id and what the start
// did, for scripts/bench.sh to count the Wine server's requests by process:
//   start PID LABEL SHOWS
#include <windows.h>
#include <psapi.h>  // declarations only: K32GetProcessMemoryInfo lives in kernel32

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring label;
    std::wstring file;
    std::wstring arguments;
    std::wstring windowClass;
    // How a tray double click reaches it: the class of the window that gets
    // the shell's callback (a child of the main window, or the main window
    // itself) and its message. Empty for a program without a tray icon.
    std::wstring trayClass;
    UINT trayMessage = 0;
    std::vector<double> shownMs, paintedMs, showMs, peakKiB;
};

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH]{};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
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
    search->found = hwnd;
    return FALSE;
}

HWND FindMainWindow(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindPending(HWND hwnd, LPARAM lp) noexcept {
    if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}

// Visible, and neither it nor a child waits to be painted.
bool Painted(HWND window) {
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    EnumChildWindows(window, FindPending, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&begin_);
    }
    double Ms() const {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - begin_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{}, begin_{};
};

constexpr double kTimeoutMs = 30000;

// Waits until the condition holds; the time it took, or nothing on timeout.
template <typename Condition>
std::optional<double> WaitFor(const Stopwatch& clock, HANDLE process, Condition condition) {
    while (clock.Ms() < kTimeoutMs && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        if (condition()) return clock.Ms();
        Sleep(1);
    }
    return std::nullopt;
}

struct Sample {
    double shownMs = 0, paintedMs = 0, peakKiB = 0;
    std::vector<double> showMs;
};

// Ends the program as a session's end does; it is killed if it does not go.
void EndProgram(HWND window, HANDLE process) {
    DWORD_PTR answer = 0;
    if (window) {
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer);
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer);
    }
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        std::fwprintf(stderr, L"the program did not end; killed\n");
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
    }
}

HWND FindTrayWindow(const Program& program, HWND window) {
    if (program.trayClass == program.windowClass) return window;
    return FindWindowExW(window, nullptr, program.trayClass.c_str(), nullptr);
}

// One start, `shows` times hidden and shown again from the tray, and the end.
std::optional<Sample> MeasureOnce(const Program& program, int shows, bool printPid) {
    std::wstring commandLine = L"\"" + program.file + L"\"";
    if (!program.arguments.empty()) commandLine += L" " + program.arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const Stopwatch clock;
    if (!CreateProcessW(program.file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.file.c_str(), GetLastError());
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    if (printPid) std::wprintf(L"start %04lx %ls %d\n", info.dwProcessId, program.label.c_str(), shows);

    Sample sample;
    HWND window = nullptr;
    bool ok = false;
    if (const auto shown = WaitFor(clock, info.hProcess, [&] {
            window = FindMainWindow(info.dwProcessId, program.windowClass.c_str());
            return window && IsWindowVisible(window);
        })) {
        sample.shownMs = *shown;
        if (const auto painted = WaitFor(clock, info.hProcess, [&] { return Painted(window); })) {
            sample.paintedMs = *painted;
            ok = true;
        }
    }
    if (!ok) std::fwprintf(stderr, L"%ls showed no window of class %ls\n", program.label.c_str(), program.windowClass.c_str());

    if (ok) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (K32GetProcessMemoryInfo(info.hProcess, &counters, sizeof(counters)))
            sample.peakKiB = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    }
    const HWND tray = ok && shows > 0 ? FindTrayWindow(program, window) : nullptr;
    for (int i = 0; tray && i < shows; ++i) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (!WaitFor(Stopwatch(), info.hProcess, [&] { return !IsWindowVisible(window); })) break;
        // Settled: whatever hiding left to do is done before the clock starts.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        const Stopwatch showClock;
        PostMessageW(tray, program.trayMessage, 0, WM_LBUTTONDBLCLK);
        if (const auto painted = WaitFor(showClock, info.hProcess, [&] { return Painted(window); }))
            sample.showMs.push_back(*painted);
        else
            std::fwprintf(stderr, L"%ls was not shown from the tray\n", program.label.c_str());
    }
    EndProgram(window, info.hProcess);
    CloseHandle(info.hProcess);
    if (!ok) return std::nullopt;
    return sample;
}

double Ratio(double value, double base) { return base > 0 ? value / base : 0; }

void PrintTarget(const wchar_t* what, double value, double base, double target) {
    const double ratio = Ratio(value, base);
    std::wprintf(L"  %-36ls %8.1f / %8.1f = %5.2f  (target %.2f: %ls)\n", what, value, base, ratio, target,
                 ratio > 0 && ratio <= target ? L"met" : L"not met");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 7;
    int shows = 3;
    bool printPids = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"-n" && i + 1 < argc) {
            runs = std::max(1, _wtoi(argv[++i]));
        } else if (arg == L"-shows" && i + 1 < argc) {
            shows = std::max(0, _wtoi(argv[++i]));
        } else if (arg == L"-pids") {
            printPids = true;
        } else {
            std::fwprintf(stderr, L"usage: bench_startup [-n RUNS] [-shows K] [-pids]\n");
            return 2;
        }
    }
    const std::wstring folder = ExecutableFolder();
    constexpr UINT kKivTrayMessage = WM_USER + 1;     // TMsgWindow's callback
    constexpr UINT kMinimalTrayMessage = WM_APP + 1;  // the minimal program's
    std::vector<Program> programs = {
        {L"program", folder + L"KivCalendar.exe", L"", L"TfMain_calendar", L"TMsgWindow", kKivTrayMessage, {}, {}, {}, {}},
        {L"floor", folder + L"minimal_calendar.exe", L"", L"KivMinimalCalendar", L"", 0, {}, {}, {}, {}},
        {L"tray-floor", folder + L"minimal_calendar.exe", L"-tray", L"KivMinimalCalendar", L"KivMinimalCalendar",
         kMinimalTrayMessage, {}, {}, {}, {}},
    };

    // One start each that is not counted, so that loading the libraries from
    // disk for the first time is not held against whichever program comes first.
    for (const Program& program : programs) MeasureOnce(program, 0, printPids);

    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            // With -pids every other start is shown from the tray, the rest
            // only started: the difference is the cost of the shows.
            const int showsNow = program.trayClass.empty() ? 0 : printPids ? (run % 2 ? shows : 0) : shows;
            if (const auto sample = MeasureOnce(program, showsNow, printPids)) {
                program.shownMs.push_back(sample->shownMs);
                program.paintedMs.push_back(sample->paintedMs);
                program.peakKiB.push_back(sample->peakKiB);
                program.showMs.insert(program.showMs.end(), sample->showMs.begin(), sample->showMs.end());
            } else {
                ++failures;
            }
        }
    }
    if (printPids) return failures == 0 ? 0 : 1;

    std::wprintf(L"%-12ls %5ls %16ls %18ls %17ls %16ls\n", L"", L"runs", L"shown after ms", L"painted after ms",
                 L"tray show ms", L"peak memory KiB");
    for (const Program& program : programs) {
        std::wprintf(L"%-12ls %5zu %16.1f %18.1f %17.1f %16.0f\n", program.label.c_str(), program.paintedMs.size(),
                     Median(program.shownMs), Median(program.paintedMs), Median(program.showMs),
                     Median(program.peakKiB));
    }
    const Program& kiv = programs[0];
    const Program& floor = programs[1];
    const Program& trayFloor = programs[2];
    std::wprintf(L"ratio to the floor: start-up %.2f, memory %.2f\n",
                 Ratio(Median(kiv.paintedMs), Median(floor.paintedMs)),
                 Ratio(Median(kiv.peakKiB), Median(floor.peakKiB)));
    std::wprintf(L"against the tray floor:\n");
    PrintTarget(L"start-up, launch to painted (ms)", Median(kiv.paintedMs), Median(trayFloor.paintedMs), 1.3);
    PrintTarget(L"show from hidden to painted (ms)", Median(kiv.showMs), Median(trayFloor.showMs), 1.2);
    PrintTarget(L"peak memory (KiB)", Median(kiv.peakKiB), Median(trayFloor.peakKiB), 1.05);
    return failures == 0 ? 0 : 1;
}
