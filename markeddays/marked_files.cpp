#include "markeddays/marked_files.h"

#include <algorithm>

namespace kiv {

std::wstring EventCountText(std::size_t count) {
    return std::to_wstring(count) + (count == 1 ? L" event" : L" events");
}

std::wstring MarkedFile::StateText() const {
    if (!found) return L"not found";
    if (!readable) return L"cannot be read";
    if (problem) return problem->Text();
    return EventCountText(eventCount);
}

bool MarkedDayFiles::Changed(const MarkedFile& file) const {
    return StampOf(file.path) != file.stamp;
}

void MarkedDayFiles::Read(MarkedFile& file) const {
    // The stamp is taken first: a file written while it is read differs from
    // it at the next refresh and is read again.
    file.stamp = StampOf(file.path);
    file.found = file.stamp.found;
    file.readable = true;
    file.eventCount = 0;
    file.problem.reset();
    file.events.clear();
    if (!file.found) return;
    FileSource in(file.path);
    if (!in.IsOpen()) {
        file.readable = false;
        return;
    }
    IcsReadResult result = ReadIcs(in, {firstYear_, lastYear_, toLocal_});
    if (in.Failed() && !result.problem) result.problem = IcsProblem{0, L"read error"};
    file.eventCount = result.eventCount;
    file.problem = std::move(result.problem);
    file.events = std::move(result.events);
}

void MarkedDayFiles::Rebuild() {
    days_ = MarkedDays(firstYear_, lastYear_);
    for (const MarkedFile& file : files_) days_.Add(file.events);
}

void MarkedDayFiles::SetYears(int firstYear, int lastYear) {
    if (firstYear == firstYear_ && lastYear == lastYear_) return;
    firstYear_ = firstYear;
    lastYear_ = lastYear;
    for (MarkedFile& file : files_) Read(file);
    Rebuild();
}

void MarkedDayFiles::SetPaths(const std::vector<std::wstring>& paths) {
    std::vector<MarkedFile> files;
    files.reserve(paths.size());
    for (const auto& path : paths) {
        auto known = std::find_if(files_.begin(), files_.end(), [&](const MarkedFile& f) { return f.path == path; });
        if (known != files_.end()) {
            files.push_back(std::move(*known));
            files_.erase(known);
        } else {
            MarkedFile file;
            file.path = path;
            Read(file);
            files.push_back(std::move(file));
        }
    }
    files_ = std::move(files);
    Rebuild();
}

bool MarkedDayFiles::Refresh() {
    bool any = false;
    for (MarkedFile& file : files_) {
        if (!Changed(file)) continue;
        Read(file);
        any = true;
    }
    if (any) Rebuild();
    return any;
}

}  // namespace kiv
