// The fault-table runner of the unit tests.
#include "support/fault_plan.h"

#include <exception>

#include "fake/machine.h"

namespace testing_support {

namespace faults = platform::fake::faults;

namespace {

const char* actionName(Action action) {
    switch (action) {
        case Action::Proceed:
            return "proceed";
        case Action::Fail:
            return "fail";
        case Action::HalfWrite:
            return "half write";
        case Action::StopBefore:
            return "power cut before";
        case Action::StopAfter:
            return "power cut after";
    }
    return "?";
}

std::string runOperation(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const faults::PowerCut&) {
        return "power cut";
    } catch (const platform::fake::ProcessExit&) {
        return "exit";
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

}  // namespace

std::string Fault::describe() const {
    return std::string(actionName(action)) + " at step " + std::to_string(number) + " (" +
           faults::stepName(step) + " " + path + "), operation ended with \"" + outcome + "\"";
}

int runEveryFault(const FaultPlan& plan) {
    std::vector<Fault> steps;
    plan.prepare();
    faults::install([&](int number, Step step, const std::string& path) {
        steps.push_back(Fault{number, step, path, Action::Proceed, ""});
        return Action::Proceed;
    });
    runOperation(plan.operation);
    faults::reset();

    for (const Fault& target : steps) {
        for (Action action : plan.actions) {
            if (action == Action::HalfWrite && target.step != Step::Write)
                continue;
            plan.prepare();
            faults::install([&](int number, Step, const std::string&) {
                return number == target.number ? action : Action::Proceed;
            });
            Fault fault = target;
            fault.action = action;
            fault.outcome = runOperation(plan.operation);
            faults::reset();
            plan.check(fault);
        }
    }
    return static_cast<int>(steps.size());
}

}  // namespace testing_support
