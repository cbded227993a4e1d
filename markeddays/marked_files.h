// The user's calendar files: their paths, what reading each gave, and the
// index of the days they mark. Each file is read when it is added and again
// when its modification time or size changes; Refresh is cheap enough for
// a timer (one status query per file when nothing changed).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "markeddays/file_source.h"
#include "markeddays/ics_reader.h"
#include "markeddays/marked_days.h"

namespace kiv {

struct MarkedFile {
    std::wstring path;
    bool found = false;     // false: missing, or not a regular file
    bool readable = true;   // false: present but could not be opened
    std::size_t eventCount = 0;
    std::optional<IcsProblem> problem;
    // What the last reading saw, to tell a changed file.
    FileStamp stamp;
    std::vector<MarkedEvent> events;

    // The file's state for the options dialog: "not found", "cannot be
    // read", the first problem ("line 40: DTSTART is missing"), else
    // "12 events" ("1 event").
    std::wstring StateText() const;
};

class MarkedDayFiles {
public:
    // `toLocal` turns UTC date-times into local ones (see UtcToLocal).
    explicit MarkedDayFiles(UtcToLocal toLocal = {}) : toLocal_(std::move(toLocal)) {}

    // The years to index (the ones the calendar shows); a change re-reads
    // every file. Set them before the paths, or the files are read twice.
    void SetYears(int firstYear, int lastYear);
    // The files, as full paths, in order. A path already known keeps what
    // was read from it; a new one is read at once.
    void SetPaths(const std::vector<std::wstring>& paths);
    // Re-reads the files whose modification time, size or presence changed
    // and rebuilds the index; true when any did.
    bool Refresh();

    const std::vector<MarkedFile>& Files() const noexcept { return files_; }
    const MarkedDays& Days() const noexcept { return days_; }

private:
    bool Changed(const MarkedFile& file) const;
    void Read(MarkedFile& file) const;
    void Rebuild();

    UtcToLocal toLocal_;
    int firstYear_ = 0, lastYear_ = -1;
    std::vector<MarkedFile> files_;
    MarkedDays days_;
};

// "12 events", "1 event".
std::wstring EventCountText(std::size_t count);

}  // namespace kiv
