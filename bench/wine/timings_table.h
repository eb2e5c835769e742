// The rows of the Wine benchmark and the one table it prints.
#pragma once

#include <limits>
#include <string>
#include <vector>

namespace bench {

struct BareWalk {
    long entries = 0;
    double ms = std::numeric_limits<double>::infinity();
};

// One timed run of the wizard, in a process of its own unless said.
struct Run {
    double ms = 0;                            // the Start click to the page that follows
    long page1Private = 0;                    // bytes when page 1 had just shown
    long peakPrivate = 0;                     // the highest seen during and right after the run
    long workingSet = 0, peakWorkingSet = 0;  // once the next page shows
};

struct Row {
    std::string mode;  // how Wine shows the windows
    std::string run;
    BareWalk bare;  // the best of the walks made just before this row's runs
    double ms = std::numeric_limits<double>::infinity();  // the best run
    Run memory;                                           // the run with the highest peak
    long listed = 0;  // entries the run put into the review lists
};

class Table {
public:
    // Adds one run to the row (mode, run), made after the bare walk `walk`.
    void add(const std::string& mode, const std::string& run, const BareWalk& walk,
             const Run& timed);
    void setListed(const std::string& mode, const std::string& run, long listed);
    void print() const;

private:
    std::vector<Row> rows_;
};

}  // namespace bench
