// The injected-fault hook of the stand-in's disk steps.
#include "fake/faults.h"

namespace platform::fake::faults {

namespace {

struct FaultState {
    Hook hook;
    int steps = 0;
    bool powerOff = false;
    bool cutAfterStep = false;
};

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

Action beforeStep(Step step, const std::string& path) {
    FaultState& s = state();
    if (s.powerOff)
        return Action::Fail;
    if (!s.hook)
        return Action::Proceed;
    const Action action = s.hook(++s.steps, step, path);
    if (action == Action::StopBefore) {
        s.powerOff = true;
        throw PowerCut{};
    }
    if (action == Action::StopAfter) {
        s.cutAfterStep = true;
        return Action::Proceed;
    }
    if (action == Action::HalfWrite && step != Step::Write)
        return Action::Fail;
    return action;
}

void afterStep() {
    FaultState& s = state();
    if (!s.cutAfterStep)
        return;
    s.cutAfterStep = false;
    s.powerOff = true;
    throw PowerCut{};
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
