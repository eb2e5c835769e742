// The Wine benchmark's hands on the wizard: starting it, going through its
// pages as a user would, timing the Start click and reading the process's
// memory counters, all through the end-to-end driver.
#pragma once

#include <string>

#include "harness/machine.h"
#include "timings_table.h"

namespace bench {

class WizardSession {
public:
    explicit WizardSession(e2e::Machine& machine) : machine_(machine) {}

    // Only drive `letter` is walked; the rest of the settings keep their
    // defaults.
    void selectOnly(char letter);
    // The snapshot's folder count as it stands before any snapshot of the
    // drive: the program's default, which sizes the first walk's bar.
    void forgetPathcount(char letter);

    int start();  // a fresh trelmrk.exe; its process id
    // From page 1: the choice ticked, Next, then the Start click timed, with
    // the private bytes on page 1 and at their highest during the run.
    Run timedRun(int pid, const std::string& choice);
    // The entries of the file list on the review page.
    long listed();
    void backToPage1();  // from the page after a run
    void end(int pid);   // from the page after a run: back to page 2, Cancel

private:
    e2e::Driver& ui() { return machine_.driver(); }
    e2e::Window page(const std::string& caption);
    void back();  // the showing page's Back button
    void memory(int pid, Run& run);

    e2e::Machine& machine_;
};

}  // namespace bench
