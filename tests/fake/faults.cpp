// The injected-fault hook of the stand-in's disk steps.
#include "fake/faults.h"

#include "fake/paths.h"
#include "fake/state.h"
#include "platform/ioerror.h"

namespace platform::fake::faults {

namespace {

struct FaultState {
    Hook hook;
    int steps = 0;
    bool powerOff = false;
    bool cutAfterStep = false;
    std::string brokenRead;
    uint64_t readOffset = 0;
    int readCause = 0;
};

int usualCause(Step step) {
    return step == Step::Write ? ioerr::DiskFull : ioerr::AccessDenied;
}

FaultState& state() {
    static FaultState instance;
    return instance;
}

}  // namespace

void install(Hook hook) {
    reset();
    state().hook = std::move(hook);
}

void reset() {
    state() = FaultState{};
}

int stepsSeen() {
    return state().steps;
}

Decision beforeStep(Step step, const std::string& path) {
    FaultState& s = state();
    if (s.powerOff)
        return Decision(Action::Fail, ioerr::DriveNotReady);
    if (!s.hook)
        return Action::Proceed;
    Decision decision = s.hook(++s.steps, step, path);
    if (decision.action == Action::StopBefore) {
        s.powerOff = true;
        throw PowerCut{};
    }
    if (decision.action == Action::StopAfter) {
        s.cutAfterStep = true;
        return Action::Proceed;
    }
    if (decision.action == Action::Proceed)
        return decision;
    if (decision.action == Action::HalfWrite && step != Step::Write)
        decision.action = Action::Fail;
    if (decision.cause == 0)
        decision.cause = usualCause(step);
    return decision;
}

void afterStep() {
    FaultState& s = state();
    if (!s.cutAfterStep)
        return;
    s.cutAfterStep = false;
    s.powerOff = true;
    throw PowerCut{};
}

void breakReads(const std::string& path, uint64_t offset, int cause) {
    FaultState& s = state();
    s.brokenRead = path;
    s.readOffset = offset;
    s.readCause = cause;
}

bool readBreak(const std::string& path, uint64_t& offset, int& cause) {
    const FaultState& s = state();
    if (s.brokenRead.empty() || !sameText(absolutePath(s.brokenRead), absolutePath(path)))
        return false;
    offset = s.readOffset;
    cause = s.readCause;
    return true;
}

const char* stepName(Step step) {
    switch (step) {
        case Step::Create:
            return "create";
        case Step::Write:
            return "write";
        case Step::Close:
            return "close";
        case Step::Move:
            return "move";
        case Step::Delete:
            return "delete";
        case Step::SetAttributes:
            return "attributes";
        case Step::CreateFolder:
            return "create folder";
        case Step::RemoveFolder:
            return "remove folder";
    }
    return "?";
}

}  // namespace platform::fake::faults
