// Every disk step of an operation, failed or cut in turn: the operation runs
// once to count its steps, then once for each step and each action on a
// freshly prepared machine, and the caller checks what the disk holds.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fake/faults.h"

namespace testing_support {

using platform::fake::faults::Action;
using platform::fake::faults::Step;

struct Fault {
    int number = 0;  // the step hit, from 1
    Step step = Step::Write;
    std::string path;
    Action action = Action::Proceed;
    // What the operation ended with: "" when it returned, else the text of
    // the std::exception it threw, "power cut" or "exit".
    std::string outcome;

    std::string describe() const;
};

struct FaultPlan {
    std::function<void()> prepare;  // a fresh machine before each run
    std::function<void()> operation;
    std::function<void(const Fault&)> check;  // after each run; the power is back
    std::vector<Action> actions = {Action::Fail, Action::HalfWrite, Action::StopBefore,
                                   Action::StopAfter};
};

// Runs the plan; returns the number of steps the undisturbed operation took.
int runEveryFault(const FaultPlan& plan);

}  // namespace testing_support
