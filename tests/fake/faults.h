// Injected disk faults for the stand-in: a test sees every step that changes a
// machine's disk (create, write, close, move, delete, attributes, folders,
// profile writes) and may make any one of them fail, with the cause of its
// choice, write only half, or be the moment the power goes. Apart from the
// steps, a read of a file may be made to fail part-way.
#pragma once

#include <cstdint>
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

// What a hook decides for a step. A step that fails reports a cause, a
// standard I/O error code (platform/ioerror.h); 0 gives the step's usual one:
// a full disk for a write, access denied for any other step.
struct Decision {
    Decision(Action decided = Action::Proceed, int code = 0) : action(decided), cause(code) {}
    bool proceeds() const { return action == Action::Proceed; }
    Action action;
    int cause;
};

// The step fails with this cause.
inline Decision failWith(int cause) {
    return Decision(Action::Fail, cause);
}

// Decides each step; the steps are numbered from 1 in the order they occur. A
// hook may answer with a bare Action.
using Hook = std::function<Decision(int number, Step step, const std::string& path)>;

// Installs a hook and sets the step count to 0; reset() removes it and
// restores the power. Machine::reset() calls reset().
void install(Hook hook);
void reset();
int stepsSeen();

// Called by the stand-in before a step. Proceed: do the step. Fail and
// HalfWrite: as named, with the cause filled in. StopBefore throws PowerCut.
// StopAfter returns Proceed and throws PowerCut from afterStep().
Decision beforeStep(Step step, const std::string& path);
void afterStep();

// Reads of the file at `path` (as the product names it) fail with `cause`
// once they reach byte `offset`; until reset(). One file at a time.
void breakReads(const std::string& path, uint64_t offset, int cause);
// The broken read set for path, if any.
bool readBreak(const std::string& path, uint64_t& offset, int& cause);

const char* stepName(Step step);

}  // namespace platform::fake::faults
