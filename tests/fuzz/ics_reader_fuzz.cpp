// libFuzzer target: the calendar-file reader and the index over what it
// read, on any bytes. Besides the sanitizers' findings it stops on a day
// outside the years asked for, or days out of order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "markeddays/date_details.h"
#include "markeddays/ics_reader.h"
#include "markeddays/marked_days.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kiv;
    TextSource in(std::string_view(reinterpret_cast<const char*>(data), size));
    const IcsReadOptions options{2024, 2026, [](TDateTime utc) { return utc - 5.0 / 24; }};
    const IcsReadResult result = ReadIcs(in, options);
    const DayNumber from = DayFromCivil(2024, 1, 1), to = DayFromCivil(2026, 12, 31);
    MarkedDays days(2024, 2026);
    for (const MarkedEvent& event : result.events) {
        if (event.days.empty()) std::abort();
        for (std::size_t i = 0; i < event.days.size(); ++i)
            if (event.days[i] < from || event.days[i] > to || (i > 0 && event.days[i] <= event.days[i - 1]))
                std::abort();
    }
    days.Add(result.events);
    if (result.events.size() > result.eventCount) std::abort();
    if (!result.events.empty()) {
        const DayNumber day = result.events.front().days.front();
        if (!days.IsMarked(day) || days.EventsOn(day).empty()) std::abort();
        (void)DayDetailsText(L"", day, days);
    }
    return 0;
}
