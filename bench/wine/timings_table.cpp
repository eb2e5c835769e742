// The Wine benchmark's table: timings beside the bare walk, and the memory of
// trelmrk.exe in kilobytes.
#include "timings_table.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

long kilobytes(long bytes) {
    return bytes / 1024;
}

}  // namespace

void Table::add(const std::string& mode, const std::string& run, const BareWalk& walk,
                const Run& timed) {
    auto row = std::find_if(rows_.begin(), rows_.end(),
                            [&](const Row& r) { return r.mode == mode && r.run == run; });
    if (row == rows_.end()) {
        rows_.emplace_back();
        row = rows_.end() - 1;
        row->mode = mode;
        row->run = run;
    }
    row->ms = std::min(row->ms, timed.ms);
    if (walk.ms < row->bare.ms)
        row->bare = walk;
    if (timed.peakPrivate >= row->memory.peakPrivate)
        row->memory = timed;
}

void Table::setListed(const std::string& mode, const std::string& run, long listed) {
    for (Row& row : rows_) {
        if (row.mode == mode && row.run == run)
            row.listed = listed;
    }
}

void Table::print() const {
    std::printf("\n%-11s %-34s %7s %8s %8s %6s | %8s %8s %8s | %8s %8s\n", "", "", "", "bare",
                "wizard", "", "private", "peak", "added", "working", "peak");
    std::printf("%-11s %-34s %7s %8s %8s %6s | %8s %8s %8s | %8s %8s\n", "mode",
                "run (Start to next page)", "entries", "(ms)", "(ms)", "ratio", "page 1", "private",
                "(KB)", "set", "w. set");
    for (const Row& row : rows_) {
        const Run& m = row.memory;
        std::printf("%-11s %-34s %7ld %8.0f %8.0f %5.2fx | %8ld %8ld %8ld | %8ld %8ld\n",
                    row.mode.c_str(), row.run.c_str(), row.bare.entries, row.bare.ms, row.ms,
                    row.ms / row.bare.ms, kilobytes(m.page1Private), kilobytes(m.peakPrivate),
                    kilobytes(m.peakPrivate - m.page1Private), kilobytes(m.workingSet),
                    kilobytes(m.peakWorkingSet));
    }
    // What listing costs on top of walking the same drive unchanged.
    for (const Row& row : rows_) {
        if (row.listed == 0)
            continue;
        for (const Row& plain : rows_) {
            if (plain.mode != row.mode || plain.run != "restore scan, unchanged")
                continue;
            const double walk = plain.ms / plain.bare.ms * row.bare.ms;
            std::printf(
                "%s, listing: %.2f ms per listed entry, %ld KB more private bytes "
                "(%ld files and folders listed)\n",
                row.mode.c_str(), (row.ms - walk) / row.listed,
                kilobytes(row.memory.peakPrivate - plain.memory.peakPrivate), row.listed);
        }
    }
}

}  // namespace bench
