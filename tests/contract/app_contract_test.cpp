// The pump of long work as both backends must run it: what waits is run once,
// within a walk's repeated calls, and a quit is left for the message loop.
#include "drive.h"
#include "harness.h"
#include "platform/app.h"

using namespace platform;

TEST(Pump, RunsWhatWaitsOnceAndLeavesAQuitForTheLoop) {
    processMessages();  // nothing waits: returns at once
    int ran = 0;
    contract::queueUserAction([&] { ++ran; });
    // A walk calls the pump once per folder; the action comes within a few.
    for (int call = 0; call < 100 && ran == 0; ++call) {
        processMessages();
        contract::pause();
    }
    EXPECT_EQ(ran, 1);
    for (int call = 0; call < 5; ++call) {
        processMessages();
        contract::pause();
    }
    EXPECT_EQ(ran, 1);

    quit(3);
    for (int call = 0; call < 5; ++call) {
        processMessages();
        contract::pause();
    }
    EXPECT_EQ(runMessageLoop(), 3);
}
