// A drive's set of snapshot files as one staged replace (common/
// staged_replace.h): a save never leaves the drive with a short or mixed set,
// and the next load or save finishes or undoes one cut short. Sets left by a
// version that kept the new set as SNPTMP.X01 to X04 and the old one as
// SNPOLD.X01 to X04 are read too.
#include <string>

#include "common/staged_replace.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"

namespace snapshot::detail {

namespace {

// The same folder and number under another stem: "...\SNPDAT.D01" with
// "SNPTMP." gives "...\SNPTMP.D01".
std::string earlierName(const std::string& place, const char* stem) {
    const size_t nameStart = place.rfind('\\') + 1;
    return place.substr(0, nameStart) + stem + place.substr(place.rfind('.') + 1);
}

}  // namespace

common::ReplaceSet SnapshotSet(char drive) {
    common::ReplaceSet set;
    set.destinations = {FileListFileName(drive), FolderListFileName(drive),
                        UnreadableListFileName(drive), SumFileName(drive)};
    for (const std::string& place : set.destinations)
        set.earlier.push_back({earlierName(place, "SNPTMP."), earlierName(place, "SNPOLD.")});
    return set;
}

bool SettleInterruptedSave(char drive) {
    return common::SettleReplace(SnapshotSet(drive));
}

}  // namespace snapshot::detail

namespace snapshot {

void SettleInterruptedSaves() {
    for (const char drive : {'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'})
        detail::SettleInterruptedSave(drive);
}

}  // namespace snapshot
