// Injected disk faults for the stand-in: a test sees every step that changes a
// machine's disk (create, write, close, move, delete, attributes, folders,
// profile writes) and may make any one of them fail, write only half, or be
// the moment the power goes.
#pragma once

#include <functional>
#include <string>

namespace platform::fake::faults {

enum class Step { Create, Write, Close, Move, Delete, SetAttributes, CreateFolder, RemoveFolder };

enum class Action {
    Proceed,
    Fail,        // the step does nothing and reports failure
    HalfWrite,   // a write stores the first half of its bytes, then fails
    StopBefore,  // the power goes before the step: it does nothing
    StopAfter,   // the power goes right after the step has been done
};

// Thrown where the power goes; deliberately not a std::exception, so that no
// handler of the product catches it. Once thrown, every later step until
// reset() does nothing and fails, as nothing runs on a machine without power.
struct PowerCut {};

// Decides each step; the steps are numbered from 1 in the order they occur.
using Hook = std::function<Action(int number, Step step, const std::string& path)>;

// Installs a hook and sets the step count to 0; reset() removes it and
// restores the power. Machine::reset() calls reset().
void install(Hook hook);
void reset();
int stepsSeen();

// Called by the stand-in before a step. Proceed: do the step. Fail and
// HalfWrite: as named. StopBefore throws PowerCut. StopAfter returns Proceed
// and throws PowerCut from afterStep().
Action beforeStep(Step step, const std::string& path);
void afterStep();

const char* stepName(Step step);

}  // namespace platform::fake::faults
