// SaveSnapshot: writes a drive's new pair of snapshot files whole under their
// pending names, then puts it in place of the old pair.
#include <stdexcept>
#include <string>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/listbox.h"
#include "platform/textfile.h"
#include "snapshot/snapshot_store.h"

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

bool gone(const std::string& path) {
    if (!platform::fileExists(path))
        return true;
    return platform::deleteFile(path) && !platform::fileExists(path);
}

// Writes slots 1..n; false if any byte failed to reach the file.
bool writeRecords(platform::TextWriter& out, int32_t n) {
    for (int32_t slot = 1; slot <= n; ++slot) {
        if (!out.writeLine(FileRecord(slot)))
            return false;
    }
    return true;
}

bool writeLines(platform::TextWriter& out, const platform::ListBox& lines) {
    for (const std::string& line : lines.items()) {
        if (!out.writeLine(line))
            return false;
    }
    return true;
}

// Puts the whole new pair in place of the old one. Without an atomic replace
// the order matters: FileListFile goes first and comes back last, so that at
// every moment the drive has either its old pair, its new pair, or no
// FileListFile at all ("no snapshot") - never a mix, never a short pair.
void replacePair(char drive) {
    const std::string fileList = FileListFileName(drive);
    const std::string folderList = FolderListFileName(drive);
    const std::string newFileList = PendingFileListName(drive);
    const std::string newFolderList = PendingFolderListName(drive);

    if (!gone(fileList)) {
        // The old pair is untouched; it stays the drive's snapshot.
        discard(newFileList);
        discard(newFolderList);
        fileCreateError();
    }
    if (!gone(folderList) || !platform::moveFile(newFolderList, folderList)) {
        discard(newFileList);
        discard(newFolderList);
        throw std::runtime_error("Cannot create file " + folderList);
    }
    if (!platform::moveFile(newFileList, fileList)) {
        discard(newFileList);
        fileCreateError();
    }
}

}  // namespace

void SaveSnapshot(char drive, int32_t n) {
    if (n > FileTableSlots)
        n = FileTableSlots;
    const std::string newFileList = PendingFileListName(drive);
    const std::string newFolderList = PendingFolderListName(drive);
    platform::ListBox& lines = FolderListLines();

    platform::TextWriter records;
    if (!records.create(newFileList))
        fileCreateError();
    bool whole = writeRecords(records, n);
    whole = records.close() && whole;
    if (!whole) {
        discard(newFileList);
        throw std::runtime_error("Stream write error");
    }

    lines.add(ScrambleText("THEEND"));
    lines.add(ScrambleText(std::to_string(n + 1)));

    platform::TextWriter folders;
    if (!folders.create(newFolderList)) {
        discard(newFileList);
        throw std::runtime_error("Cannot create file " + FolderListFileName(drive));
    }
    whole = writeLines(folders, lines);
    whole = folders.close() && whole;
    if (!whole) {
        discard(newFileList);
        discard(newFolderList);
        throw std::runtime_error("Stream write error");
    }

    replacePair(drive);
    lines.clear();
}

}  // namespace snapshot
