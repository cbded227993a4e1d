// Times reading and indexing a calendar file of 5,000 events, a quarter of
// them recurring, and answering the calendar's day-state request for twelve
// months. Native, without sanitizers:   marked_days_bench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "markeddays/marked_files.h"

namespace {
using Clock = std::chrono::steady_clock;

// Events over three years: all-day and timed ones, some in UTC, and every
// fourth recurring by one of the rules holiday and work calendars use.
std::string GeneratedCalendar(int events) {
    static const char* const kRules[] = {
        "FREQ=YEARLY",
        "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH",
        "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
        "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH;COUNT=40",
        "FREQ=DAILY;INTERVAL=3;UNTIL=20261231T000000Z",
        "FREQ=MONTHLY;BYMONTHDAY=-1",
    };
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Kiv Soft//bench//EN\r\n";
    char line[160];
    for (int i = 0; i < events; ++i) {
        const int year = 2025 + i % 3, month = 1 + i % 12, day = 1 + i % 28;
        text += "BEGIN:VEVENT\r\n";
        std::snprintf(line, sizeof line, "UID:%d@bench\r\nSUMMARY:Event number %d\\, generated\r\n", i, i);
        text += line;
        if (i % 3 == 0)
            std::snprintf(line, sizeof line, "DTSTART;VALUE=DATE:%04d%02d%02d\r\nDTEND;VALUE=DATE:%04d%02d%02d\r\n",
                          year, month, day, year, month, day + 1);
        else
            std::snprintf(line, sizeof line, "DTSTART%s:%04d%02d%02dT%02d3000%s\r\n", i % 3 == 1 ? ";TZID=Europe/Paris" : "",
                          year, month, day, i % 24, i % 3 == 2 ? "Z" : "");
        text += line;
        if (i % 4 == 0) {
            text += "RRULE:";
            text += kRules[(i / 4) % 6];
            text += "\r\n";
        }
        text += "END:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const auto path = std::filesystem::temp_directory_path() / "kiv_marked_days_bench.ics";
    std::ofstream(path, std::ios::binary) << GeneratedCalendar(5000);
    const kiv::UtcToLocal toLocal = [](kiv::TDateTime utc) { return utc + 1.0 / 24; };

    std::vector<double> readMs;
    std::size_t events = 0;
    for (int run = 0; run < runs; ++run) {
        kiv::MarkedDayFiles files(toLocal);
        files.SetYears(2025, 2027);
        const auto start = Clock::now();
        files.SetPaths({path.wstring()});
        readMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        events = files.Files()[0].eventCount;
    }

    kiv::MarkedDayFiles files(toLocal);
    files.SetYears(2025, 2027);
    files.SetPaths({path.wstring()});
    std::vector<double> lookupUs;
    std::uint32_t states[14];
    unsigned sink = 0;
    for (int run = 0; run < runs; ++run) {
        constexpr int kRepeats = 10000;
        const auto start = Clock::now();
        for (int i = 0; i < kRepeats; ++i) {
            files.Days().MonthStates(2025 + i % 3 - (i % 2), 12, states);  // December to January, as the control asks
            sink += states[i % 14];
        }
        lookupUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRepeats);
    }
    std::filesystem::remove(path);

    std::printf("file of %zu events: %ls\n", events, files.Files()[0].StateText().c_str());
    std::printf("read and indexed:              %8.2f ms  (median of %d; target under 50 ms)\n", Median(readMs), runs);
    std::printf("day states of twelve months:   %8.3f us  (median of %d; target under 100 us)\n", Median(lookupUs),
                runs);
    return sink == 1 ? 2 : 0;  // keeps the lookups from being optimised away
}
