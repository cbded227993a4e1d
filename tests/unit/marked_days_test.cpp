#include "markeddays/marked_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "markeddays/ics_lines.h"

namespace kiv {
namespace {

const UtcToLocal kTwoHoursEast = [](TDateTime utc) { return utc + 2.0 / 24; };

std::string Iso(DayNumber day) {
    const CivilDate d = CivilFromDay(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

IcsReadResult Read(const std::string& text, int first, int last) {
    TextSource in(text);
    return ReadIcs(in, {first, last, kTwoHoursEast});
}

TEST(IcsReader, RecurrencesAndLayoutsMarkTheirDays) {
    struct Case {
        const char* what;
        std::string event;  // the lines between BEGIN:VEVENT and END:VEVENT
        int first, last;
        std::vector<std::string> days;
        std::wstring name = L"x";
    };
    const Case cases[] = {
        {"fourth Thursday of November", "DTSTART;VALUE=DATE:20241128\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH\n",
         2024, 2026, {"2024-11-28", "2025-11-27", "2026-11-26"}},
        {"last Monday of May", "DTSTART;VALUE=DATE:20000529\nRRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO\n", 2024, 2026,
         {"2024-05-27", "2025-05-26", "2026-05-25"}},
        {"29 February only in leap years", "DTSTART;VALUE=DATE:20200229\nRRULE:FREQ=YEARLY\n", 2023, 2028,
         {"2024-02-29", "2028-02-29"}},
        {"exception date, counted", "DTSTART:20250106T090000\nRRULE:FREQ=WEEKLY;COUNT=4\nEXDATE:20250113T090000\n",
         2025, 2025, {"2025-01-06", "2025-01-20", "2025-01-27"}},
        {"UNTIL in UTC, 08:00Z is 10:00 here", "DTSTART:20250301T093000\nRRULE:FREQ=DAILY;UNTIL=20250303T080000Z\n",
         2025, 2025, {"2025-03-01", "2025-03-02", "2025-03-03"}},
        {"UNTIL in UTC, 07:00Z is 09:00 here", "DTSTART:20250301T093000\nRRULE:FREQ=DAILY;UNTIL=20250303T070000Z\n",
         2025, 2025, {"2025-03-01", "2025-03-02"}},
        {"all-day across a month end, DTEND exclusive", "DTSTART;VALUE=DATE:20250130\nDTEND;VALUE=DATE:20250203\n",
         2025, 2025, {"2025-01-30", "2025-01-31", "2025-02-01", "2025-02-02"}},
        {"fold inside a UTF-8 sequence", "DTSTART;VALUE=DATE:20250704\nSUMMARY:F\xC3\r\n \xAA\xE2\x82\n\t\xACte\n", 2025,
         2025, {"2025-07-04"}, L"F\u00EA\u20ACte"},
        {"escapes", "SUMMARY:Tom\\, Jerry\\; a\\\\b\\nparty\nDTSTART;VALUE=DATE:20250704\n", 2025, 2025,
         {"2025-07-04"}, L"Tom, Jerry; a\\b party"},
        {"UTC start moves to the local day", "DTSTART:20251231T230000Z\nDTEND:20260101T010000Z\n", 2025, 2026,
         {"2026-01-01"}},
        {"TZID keeps the wall clock; a timed event marks its first day",
         "DTSTART;TZID=\"Europe/Berlin\":20250310T233000\nDTEND;TZID=Europe/Berlin:20250312T010000\n", 2025, 2025,
         {"2025-03-10"}},
        {"DURATION of an all-day event", "DTSTART;VALUE=DATE:20250310\nDURATION:P2D\n", 2025, 2025,
         {"2025-03-10", "2025-03-11"}},
        {"last working day of the month", "DTSTART;VALUE=DATE:20250131\n"
         "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=3\n", 2025, 2025,
         {"2025-01-31", "2025-02-28", "2025-03-31"}},
        {"last day of the month", "DTSTART;VALUE=DATE:20250131\nRRULE:FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=3\n", 2025,
         2025, {"2025-01-31", "2025-02-28", "2025-03-31"}},
        {"31st skips short months", "DTSTART;VALUE=DATE:20250131\nRRULE:FREQ=MONTHLY;COUNT=3\n", 2025, 2025,
         {"2025-01-31", "2025-03-31", "2025-05-31"}},
        {"every other week, WKST=SU", "DTSTART;VALUE=DATE:19970805\n"
         "RRULE:FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU\n", 1997, 1997,
         {"1997-08-05", "1997-08-17", "1997-08-19", "1997-08-31"}},
        {"RDATE list", "DTSTART;VALUE=DATE:20250105\nRDATE;VALUE=DATE:20250110,20250115\n", 2025, 2025,
         {"2025-01-05", "2025-01-10", "2025-01-15"}},
        {"an endless rule only over the years asked", "DTSTART;VALUE=DATE:17760704\nRRULE:FREQ=YEARLY\n", 2025,
         2025, {"2025-07-04"}},
        {"daily with an interval, counted from a start before the years",
         "DTSTART;VALUE=DATE:20241230\nRRULE:FREQ=DAILY;INTERVAL=3;COUNT=3\n", 2025, 2025, {"2025-01-02", "2025-01-05"}},
        {"cancelled", "STATUS:CANCELLED\nDTSTART;VALUE=DATE:20250704\n", 2025, 2025, {}},
        {"a VALARM's lines are not the event's", "DTSTART;VALUE=DATE:20250704\nBEGIN:VALARM\n"
         "DTSTART:20250101T000000\nSUMMARY:alarm\nEND:VALARM\n", 2025, 2025, {"2025-07-04"}},
    };
    for (const Case& c : cases) {
        const auto result = Read("BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:x\n" + c.event + "END:VEVENT\nEND:VCALENDAR\n",
                                 c.first, c.last);
        std::vector<std::string> days;
        for (const auto& event : result.events)
            for (DayNumber day : event.days) days.push_back(Iso(day));
        EXPECT_EQ(days, c.days) << c.what;
        EXPECT_FALSE(result.problem) << c.what << ": " << (result.problem ? result.problem->line : 0);
        if (!c.days.empty()) {
            EXPECT_EQ(result.events.at(0).name, c.name) << c.what;
        }
    }
}

std::wstring Corpus(const char* name) { return (std::filesystem::path(KIV_ICS_CORPUS) / name).wstring(); }

TEST(MarkedDayFiles, EachFileGetsItsStateAndTheGoodEventsCount) {
    const auto temp = std::filesystem::temp_directory_path() / ("kiv_marked_" + std::to_string(::getpid()));
    std::filesystem::create_directories(temp);
    std::ofstream(temp / "empty.ics").close();
    {
        std::ofstream binary(temp / "binary.ics", std::ios::binary);
        std::mt19937 random(7);
        for (int i = 0; i < 100000; ++i) binary.put(static_cast<char>(random()));
    }
    // 50 MB: two events, the second with a property folded over the whole file.
    {
        std::ofstream big(temp / "big.ics", std::ios::binary);
        big << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260102\r\nSUMMARY:a\r\nEND:VEVENT\r\n"
               "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260103\r\nDESCRIPTION:";
        const std::string chunk = std::string(1022, 'x') + "\r\n ";
        for (int i = 0; i < 50 * 1024; ++i) big << chunk;
        big << "\r\nSUMMARY:b\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    MarkedDayFiles files(kTwoHoursEast);
    files.SetYears(2025, 2027);
    files.SetPaths({Corpus("holidays.ics"), Corpus("export.ics"), Corpus("birthdays.ics"), Corpus("broken.ics"),
                    (temp / "missing.ics").wstring(), (temp / "empty.ics").wstring(), (temp / "binary.ics").wstring(),
                    (temp / "big.ics").wstring()});
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 20 * 1024) << "kilobytes";
    std::vector<std::wstring> states;
    for (const MarkedFile& file : files.Files()) states.push_back(file.StateText());
    const std::vector<std::wstring> expected = {L"5 events", L"4 events", L"4 events", L"line 7: malformed line",
                                                L"not found", L"the file is empty", L"line 1: not an iCalendar file",
                                                L"line 8: line longer than 64 KiB"};
    EXPECT_EQ(states, expected);
    EXPECT_EQ(files.Files()[3].eventCount, 3u);  // good before, the bad rule's day, good after
    EXPECT_EQ(files.Files()[7].eventCount, 2u);

    const MarkedDays& days = files.Days();
    EXPECT_EQ(days.EventsOn(EncodeDate(2026, 12, 8)), std::vector<std::wstring>{L"Team meeting, room 4; bring the  plan"});
    EXPECT_EQ(days.EventsOn(EncodeDate(2027, 1, 1)), (std::vector<std::wstring>{L"New Year's Day", L"Call Tokyo"}));
    std::vector<int> january;
    for (int d = 1; d <= 31; ++d)
        if (days.MonthState(2026, 1) >> (d - 1) & 1) january.push_back(d);
    EXPECT_EQ(january, (std::vector<int>{1, 2, 3, 5, 19, 26, 30}));  // the stand-up less the 12th
    EXPECT_TRUE(days.IsMarked(EncodeDate(2026, 12, 2)));
    EXPECT_FALSE(days.IsMarked(EncodeDate(2026, 12, 3)));
    std::uint32_t year[14];
    days.MonthStates(2025, 12, year);
    EXPECT_EQ(year[0], days.MonthState(2025, 12));
    EXPECT_EQ(year[13], days.MonthState(2027, 1));

    EXPECT_FALSE(files.Refresh());
    std::filesystem::copy_file(Corpus("holidays.ics"), temp / "missing.ics");
    EXPECT_TRUE(files.Refresh());
    EXPECT_EQ(files.Files()[4].StateText(), L"5 events");
    std::filesystem::remove_all(temp);
    EXPECT_TRUE(files.Refresh());
    EXPECT_EQ(files.Files()[4].StateText(), L"not found");
}

TEST(FileSource, StampsAndReadsOnlyRegularFilesWhateverTheirName) {
    const auto temp = std::filesystem::temp_directory_path() / ("kiv_source_" + std::to_string(::getpid()));
    std::filesystem::create_directories(temp / "folder.ics");
    const char8_t* named = u8"k\u00e4lender \u65e5.ics";  // the program hands the reader wide paths
    std::ofstream(temp / named, std::ios::binary) << std::string(40000, 'x') << "\r\nend";
    struct Case {
        const char8_t* name;
        bool found;
        std::uint64_t size;
    };
    for (const Case& c : {Case{u8"missing.ics", false, 0}, Case{u8"folder.ics", false, 0}, Case{named, true, 40005}}) {
        const std::wstring path = Utf8ToWide(temp.string() + '/' + reinterpret_cast<const char*>(c.name));
        const FileStamp stamp = StampOf(path);
        EXPECT_EQ(stamp.found, c.found) << c.size;
        EXPECT_EQ(stamp.size, c.size);
        if (!c.found) continue;
        FileSource source(path);
        ASSERT_TRUE(source.IsOpen());
        std::string bytes(16384, '\0'), all;
        while (const std::size_t n = source.Read(bytes.data(), bytes.size())) all.append(bytes, 0, n);
        EXPECT_EQ(all.size(), c.size);
        EXPECT_EQ(all.substr(all.size() - 5), "\r\nend");
        EXPECT_FALSE(source.Failed());
        // Rewritten within the same clock tick, a new size still tells the change.
        std::ofstream(temp / c.name, std::ios::binary) << "BEGIN:VCALENDAR";
        EXPECT_NE(StampOf(path), stamp);
    }
    EXPECT_FALSE(FileSource((temp / "missing.ics").wstring()).IsOpen());
    std::filesystem::remove_all(temp);
}

}  // namespace
}  // namespace kiv
