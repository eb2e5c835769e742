// SaveSnapshot: writes a drive's new set of snapshot files whole under their
// pending names, then puts it in place of the old set.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/files.h"
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

void discard(const std::string& path) {
    if (platform::fileExists(path))
        platform::deleteFile(path);
}

bool readOnly(const std::string& path) {
    const int64_t bits = platform::fileAttributes(path);
    return bits >= 0 && (bits & platform::attr::ReadOnly) != 0;
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

// Writes one pending file whole; on a failure drops every pending file
// written so far and throws.
void writePending(const std::string& path, const std::string& shownName,
                  const std::vector<std::string>& lines, const std::vector<std::string>& written) {
    platform::TextWriter out;
    if (const platform::IoResult created = out.create(path); !created) {
        for (const std::string& earlier : written)
            discard(earlier);
        throw std::runtime_error(platform::withCause("Cannot create file " + shownName, created));
    }
    const platform::IoResult lineWrites = writeLines(out, lines);
    const platform::IoResult whole = platform::firstFailure(lineWrites, out.close());
    if (!whole) {
        discard(path);
        for (const std::string& earlier : written)
            discard(earlier);
        throw std::runtime_error(platform::withCause("Stream write error", whole));
    }
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
    const std::string newFileList = PendingFileListName(drive);
    const std::string newFolderList = PendingFolderListName(drive);
    const std::string newUnreadable = PendingUnreadableListName(drive);
    platform::ListBox& lines = FolderListLines();

    // A read-only FileListFile could not be created over on Windows.
    if (readOnly(FileListFileName(drive)))
        fileCreateError();
    if (!detail::SettleInterruptedSave(drive))
        throw std::runtime_error("Cannot create file " + FileListFileName(drive));

    platform::TextWriter recordFile;
    if (!recordFile.create(newFileList))
        fileCreateError();
    const platform::IoResult recordWrites = writeRecords(recordFile, n);
    const platform::IoResult whole = platform::firstFailure(recordWrites, recordFile.close());
    if (!whole) {
        discard(newFileList);
        throw std::runtime_error(platform::withCause("Stream write error", whole));
    }

    lines.add(ScrambleText("THEEND"));
    lines.add(ScrambleText(std::to_string(n + 1)));
    writePending(newFolderList, FolderListFileName(drive), lines.items(), {newFileList});

    std::vector<std::string> unreadable = UnreadableFolders();
    unreadable.push_back("THEEND");
    writePending(newUnreadable, UnreadableListFileName(drive), unreadable,
                 {newFileList, newFolderList});

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
    const std::string newSum = PendingSumName(drive);
    writePending(newSum, SumFileName(drive), {records.text(), folders.text(), unlisted.text()},
                 {newFileList, newFolderList, newUnreadable});

    for (const std::string& place :
         {FolderListFileName(drive), UnreadableListFileName(drive), SumFileName(drive)}) {
        if (readOnly(place)) {
            for (const std::string& pending : {newFileList, newFolderList, newUnreadable, newSum})
                discard(pending);
            throw std::runtime_error("Cannot create file " + place);
        }
    }
    detail::ReplaceSnapshotFiles(drive);
    lines.clear();
}

}  // namespace snapshot
