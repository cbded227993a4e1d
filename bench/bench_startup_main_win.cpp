// Start-up benchmark: how long a program takes from CreateProcess until its
// main window is on the screen, and how much memory it has used by then.
//
//   bench_startup [-n RUNS] [PROGRAM CLASS]...
//
// With no programs given it compares KivCalendar.exe (TfMain_calendar) with
// minimal_calendar.exe (KivMinimalCalendar), both taken from its own folder.
// The programs are started in turn, so that a slow spell of the machine falls
// on all of them alike; the first program's medians are then compared with
// each other program's.
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
    std::wstring path;
    std::wstring windowClass;
    std::vector<double> createdMs;
    std::vector<double> shownMs;
    std::vector<double> peakKiB;
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
    bool created;
    bool shown;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) noexcept {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId) return TRUE;
    wchar_t name[64]{};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpW(name, search->className) != 0) return TRUE;
    search->created = true;
    search->shown = IsWindowVisible(hwnd) != FALSE;
    return !search->shown;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Sample {
    double createdMs;
    double shownMs;
    double peakKiB;
};

// One start; nothing (and a message) if the program did not show its window in time.
std::optional<Sample> MeasureOnce(const Program& program) {
    std::wstring commandLine = L"\"" + program.path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    LARGE_INTEGER frequency{}, begin{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.path.c_str(), GetLastError());
        return std::nullopt;
    }
    CloseHandle(info.hThread);

    // The window's creation is timed as well, to tell the cost of starting
    // the process and building the window from the cost of showing it.
    bool shown = false;
    double createdMs = -1;
    constexpr double kTimeoutMs = 30000;
    double elapsedMs = 0;
    while (elapsedMs < kTimeoutMs && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        WindowSearch search{info.dwProcessId, program.windowClass.c_str(), false, false};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        elapsedMs = 1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
        if (search.created && createdMs < 0) createdMs = elapsedMs;
        shown = search.shown;
        if (shown) break;
        Sleep(1);
    }

    std::optional<Sample> sample;
    if (shown) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (K32GetProcessMemoryInfo(info.hProcess, &counters, sizeof(counters))) {
            sample = Sample{createdMs, elapsedMs, static_cast<double>(counters.PeakWorkingSetSize) / 1024.0};
        } else {
            std::fwprintf(stderr, L"no memory figures for %ls (error %lu)\n", program.path.c_str(), GetLastError());
        }
    } else {
        std::fwprintf(stderr, L"%ls showed no window of class %ls\n", program.path.c_str(),
                      program.windowClass.c_str());
    }
    TerminateProcess(info.hProcess, 0);
    // The next start must not meet this copy still running (single instance).
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    return sample;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 7;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"-n" && i + 1 < argc) {
            runs = std::max(1, _wtoi(argv[++i]));
        } else if (i + 1 < argc) {
            programs.push_back({arg, argv[++i], {}, {}, {}});
        } else {
            std::fwprintf(stderr, L"usage: bench_startup [-n RUNS] [PROGRAM CLASS]...\n");
            return 2;
        }
    }
    if (programs.empty()) {
        const std::wstring folder = ExecutableFolder();
        programs.push_back({folder + L"KivCalendar.exe", L"TfMain_calendar", {}, {}, {}});
        programs.push_back({folder + L"minimal_calendar.exe", L"KivMinimalCalendar", {}, {}, {}});
    }

    // One untimed start each, so that loading the libraries from disk for the
    // first time is not counted against whichever program comes first.
    for (const Program& program : programs) MeasureOnce(program);

    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            if (const auto sample = MeasureOnce(program)) {
                program.createdMs.push_back(sample->createdMs);
                program.shownMs.push_back(sample->shownMs);
                program.peakKiB.push_back(sample->peakKiB);
            } else {
                ++failures;
            }
        }
    }

    std::wprintf(L"%-24ls %5ls %17ls %15ls %16ls\n", L"program", L"runs", L"window made, ms", L"shown after ms",
                 L"peak memory KiB");
    for (const Program& program : programs) {
        const std::wstring name = program.path.substr(program.path.find_last_of(L"\\/") + 1);
        std::wprintf(L"%-24ls %5zu %17.1f %15.1f %16.0f\n", name.c_str(), program.shownMs.size(),
                     Median(program.createdMs), Median(program.shownMs), Median(program.peakKiB));
    }
    const Program& first = programs.front();
    for (size_t i = 1; i < programs.size(); ++i) {
        const Program& other = programs[i];
        const double timeBase = Median(other.shownMs);
        const double memoryBase = Median(other.peakKiB);
        if (first.shownMs.empty() || other.shownMs.empty() || timeBase <= 0 || memoryBase <= 0) {
            std::wprintf(L"no ratio to %ls: a program has no figures\n",
                         other.path.substr(other.path.find_last_of(L"\\/") + 1).c_str());
            continue;
        }
        const double timeRatio = Median(first.shownMs) / timeBase;
        const double memoryRatio = Median(first.peakKiB) / memoryBase;
        std::wprintf(L"ratio to %ls: time %.2f, memory %.2f (target 1.20 or less: %ls)\n",
                     other.path.substr(other.path.find_last_of(L"\\/") + 1).c_str(), timeRatio, memoryRatio,
                     timeRatio <= 1.2 && memoryRatio <= 1.2 ? L"met" : L"not met");
    }
    return failures == 0 ? 0 : 1;
}
