// The stored snapshot of a drive: FileListFile and FolderListFile in the data
// folder, and their in-memory tables.
#pragma once

#include <cstdint>
#include <string>

namespace platform {
class ListBox;
}

namespace snapshot {

constexpr int FileTableSlots = 60000;
constexpr int FolderTableSlots = 8000;
constexpr int RecordLength = 120;      // characters kept of a record
constexpr int FolderLineLength = 255;  // characters kept of a folder-table line

// DataDir + "\SNPDAT." + X + "01" and "02".
std::string FileListFileName(char drive);
std::string FolderListFileName(char drive);

// Where a new pair is written before it replaces the old one: DataDir +
// "\SNPTMP." + X + "01" and "02". Left behind only by an interrupted save.
std::string PendingFileListName(char drive);
std::string PendingFolderListName(char drive);

// Flips bit 3 of every character; its own inverse.
std::string ScrambleText(const std::string& text);

// Upper-cases only the letters a to z.
std::string UpperCase(const std::string& text);

// SnapshotFileTable: slots 1..60,000 of up to 120 characters.
int FileTableCount();
// The record in a slot; "" for a slot outside 1..60,000.
const std::string& FileRecord(int slot);
// Stores a record (cut to 120 characters) in a slot; slots above 60,000 are
// not stored.
void StoreFileRecord(int slot, const std::string& record);
// Stores a name upper-cased and cut to 120 characters, reusing the slot's
// storage; slots above 60,000 are not stored.
void StoreUpperRecord(int slot, const std::string& name);
// Slots in use: 0 before a walk, the number of lines after a load.
void SetFileTableCount(int count);

// SnapshotFolderTable: slots 1..8,000 of up to 255 characters, unscrambled.
int FolderTableCount();
// The line in a slot; "" for a slot outside 1..8,000.
const std::string& FolderLine(int slot);

// FolderListLines: the hidden list box of the progress window.
platform::ListBox& FolderListLines();

// Writes slots 1..n as FileListFile and FolderListLines (with the end pair) as
// FolderListFile, then empties FolderListLines. Both files are first written
// whole under their pending names and only then put in place of the old pair,
// so that no failure leaves a pair that loads as less than the drive held.
// FileListFile not creatable: "File create error !!!" and the program ends.
// Other failures throw std::runtime_error ("Cannot create file <path>",
// "Stream write error") for the general error handler.
void SaveSnapshot(char drive, int32_t n);

// Fills both tables from the drive's files; false after telling the user why
// (no snapshot, a table limit, a folder list that is missing or damaged).
bool LoadSnapshot(char drive);

}  // namespace snapshot
