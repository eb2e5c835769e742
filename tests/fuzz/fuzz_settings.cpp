// The settings loader and the date and statistics readers over an arbitrary
// TRELMRK.INI: no drive that cannot be chosen is selected, the snapshot's age
// is shown as a date the stamp really holds, and saving what was loaded
// changes neither the settings nor the dates and statistics.
#include <cstdint>
#include <string>

#include "common/app_state.h"
#include "common/config_file.h"
#include "common/date_stamp.h"
#include "fuzz_machine.h"
#include "platform/profile.h"
#include "snapshot/drive_statistics.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/settings.h"

namespace {

using platform::fake::Machine;

struct Loaded {
    common::Settings settings;
    int32_t stamps[common::DriveCount + 1];
    int32_t pathcounts[common::DriveCount];
};

Loaded load() {
    wizard::LoadSettings();
    wizard::ShowSnapshotAge(*wizard::pages().form1);
    Loaded loaded{common::app().settings, {}, {}};
    loaded.stamps[0] = common::ReadConfigInt("Dates", "Date1", common::NoSnapshotStamp);
    for (int i = 0; i < common::DriveCount; ++i) {
        const char drive = common::DriveLetters[i];
        loaded.stamps[i + 1] = common::ReadConfigInt("Dates", std::string("Date") + drive, 0);
        loaded.pathcounts[i] = snapshot::ReadPathcount(drive);
    }
    return loaded;
}

bool sameSettings(const Loaded& a, const Loaded& b) {
    for (int i = 0; i < common::DriveCount; ++i) {
        if (a.settings.driveSelected[i] != b.settings.driveSelected[i] ||
            a.pathcounts[i] != b.pathcounts[i] || a.stamps[i + 1] != b.stamps[i + 1])
            return false;
    }
    return a.stamps[0] == b.stamps[0] && a.settings.useRecycleBin == b.settings.useRecycleBin &&
           a.settings.skipIECache == b.settings.skipIECache &&
           a.settings.skipNetscapeCache == b.settings.skipNetscapeCache;
}

std::string input;  // the one being tried

void fail(const std::string& kind, const std::string& detail = "") {
    fuzzing::Fail("settings", kind, detail, input);
}

void checkAge(const Loaded& loaded) {
    const TForm1& page1 = *wizard::pages().form1;
    const common::Settings& settings = loaded.settings;
    const int32_t stamp = loaded.stamps[0];
    platform::DateTime taken;
    if (stamp == common::NoSnapshotStamp) {
        if (page1.Label3.caption() != "Days passed : 0" || settings.snapshotOld)
            fail("no backup is shown as ", page1.Label3.caption());
    } else if (common::DecodeFileDateStamp(stamp, taken)) {
        // The stamp's seven year bits reach 2107, but the program writes no
        // year past 2099: later ones are shown as they are, never written.
        if (taken.year <= 2099 && common::FileDateStamp(taken) != stamp)
            fail("a stamp decodes to another date: ", std::to_string(stamp));
        if (page1.Label4.caption() != "Snapshot date : " + common::FormatDateTime(taken))
            fail("the date shown is not the stamp's: ", page1.Label4.caption());
        int32_t days = 0;
        const std::string shown = page1.Label3.caption().substr(14);
        if (!platform::parseProfileInt(shown, days) || settings.snapshotOld != (days > 7))
            fail("the age shown does not match: ", page1.Label3.caption());
    } else if (page1.Label4.caption() != "Snapshot date : Unknown" || !settings.snapshotOld) {
        fail("an invalid stamp is shown as ", page1.Label4.caption());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::StartMachine();
    Machine::addDrive('C');
    Machine::addDrive('D', platform::drivetype::Remote);
    Machine::addDrive('E', platform::drivetype::CdRom);
    Machine::addDrive('F', platform::drivetype::Removable);
    Machine::setLocalNow({2026, 7, 12, 21, 5, 0});
    common::app().paths.programDir = "C:\\Program Files\\Trellmark";
    wizard::pages().form1 = new TForm1;  // lives as long as the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    input.assign(reinterpret_cast<const char*>(data), size);
    const std::string& text = input;
    const std::string file = common::app().paths.configFile();
    Machine::writeFile(file, text);

    const Loaded loaded = load();
    for (int i = 0; i < common::DriveCount; ++i) {
        const std::string type = common::DriveKindText(loaded.settings.driveKind[i]);
        const bool selectable = i < 2;  // C is fixed, D remote
        if (type != (i == 0   ? "Hard Disk"
                     : i == 1 ? "Network Drive"
                              : "None") ||
            (!selectable && loaded.settings.driveSelected[i]))
            fail("a drive that cannot be chosen: ",
                 std::string(1, common::DriveLetters[i]) + " " + type);
    }
    checkAge(loaded);

    wizard::SaveSettings();
    if (fuzzing::HasEmptySectionHeader(text) ||
        fuzzing::RewriteGainedUtf8Mark(text, Machine::readFile(file)))
        return 0;
    if (!sameSettings(loaded, load()))
        fail("saving the loaded settings changed what loads");
    return 0;
}
