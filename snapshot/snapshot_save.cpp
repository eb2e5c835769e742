// SaveSnapshot: writes a drive's new set of snapshot files whole under their
// pending names, then puts it in place of the old set in one staged replace.
#include <stdexcept>
#include <string>
#include <vector>

#include "common/staged_replace.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/ioerror.h"
#include "platform/listbox.h"
#include "platform/textfile.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"

namespace snapshot {

namespace {

[[noreturn]] void fileCreateError() {
    platform::MessageRequest request;
    request.text = "File create error !!!";
    request.caption = platform::applicationTitle();
    request.kind = platform::MessageKind::Plain;
    request.buttons = platform::MessageButtons::Ok;
    platform::showMessage(request);  // centred on the screen: no placement
    platform::exitProcess(0);
}

// Writes slots 1..n; the first failure, if any byte failed to reach the file.
platform::IoResult writeRecords(platform::TextWriter& out, int32_t n) {
    for (int32_t slot = 1; slot <= n; ++slot) {
        if (const platform::IoResult written = out.writeLine(FileRecord(slot)); !written)
            return written;
    }
    return platform::IoResult();
}

platform::IoResult writeLines(platform::TextWriter& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (const platform::IoResult written = out.writeLine(line); !written)
            return written;
    }
    return platform::IoResult();
}

// Writes one pending file whole, or throws; what was written is deleted with
// the replace that was never committed.
void writePending(const std::string& path, const std::string& shownName,
                  const std::vector<std::string>& lines) {
    platform::TextWriter out;
    if (const platform::IoResult created = out.create(path); !created)
        throw std::runtime_error(platform::withCause("Cannot create file " + shownName, created));
    const platform::IoResult lineWrites = writeLines(out, lines);
    const platform::IoResult whole = platform::firstFailure(lineWrites, out.close());
    if (!whole)
        throw std::runtime_error(platform::withCause("Stream write error", whole));
}

// The unreadable folders, emptied however the save ends.
struct EmptiedAfterSave {
    ~EmptiedAfterSave() { UnreadableFolders().clear(); }
};

}  // namespace

void SaveSnapshot(char drive, int32_t n) {
    EmptiedAfterSave emptied;
    if (n > FileTableSlots)
        n = FileTableSlots;
    platform::ListBox& lines = FolderListLines();

    // A read-only FileListFile could not be created over on Windows.
    if (common::ReadOnly(FileListFileName(drive)))
        fileCreateError();
    common::StagedReplace replace(detail::SnapshotSet(drive));
    if (!replace.prepare())
        throw std::runtime_error("Cannot create file " + FileListFileName(drive));

    {
        platform::TextWriter recordFile;
        if (!recordFile.create(replace.stage(FileListFileName(drive))))
            fileCreateError();
        const platform::IoResult recordWrites = writeRecords(recordFile, n);
        const platform::IoResult whole = platform::firstFailure(recordWrites, recordFile.close());
        if (!whole)
            throw std::runtime_error(platform::withCause("Stream write error", whole));
    }

    lines.add(ScrambleText("THEEND"));
    lines.add(ScrambleText(std::to_string(n + 1)));
    writePending(replace.stage(FolderListFileName(drive)), FolderListFileName(drive),
                 lines.items());

    std::vector<std::string> unreadable = UnreadableFolders();
    unreadable.push_back("THEEND");
    writePending(replace.stage(UnreadableListFileName(drive)), UnreadableListFileName(drive),
                 unreadable);

    // The sum of the lines as they were written, so that a record changed
    // on the disk later is refused at load.
    detail::LineSum records;
    for (int32_t slot = 1; slot <= n; ++slot)
        records.add(FileRecord(slot));
    detail::LineSum folders, unlisted;
    for (const std::string& line : lines.items())
        folders.add(line);
    for (const std::string& line : unreadable)
        unlisted.add(line);
    writePending(replace.stage(SumFileName(drive)), SumFileName(drive),
                 {records.text(), folders.text(), unlisted.text()});

    for (const std::string& place :
         {FolderListFileName(drive), UnreadableListFileName(drive), SumFileName(drive)}) {
        if (common::ReadOnly(place))
            throw std::runtime_error("Cannot create file " + place);
    }
    if (!replace.commit()) {
        throw std::runtime_error(
            platform::withCause("Cannot create file " + replace.failedAt(), replace.failure()));
    }
    lines.clear();
}

}  // namespace snapshot
