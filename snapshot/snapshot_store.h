// The stored snapshot of a drive: FileListFile and FolderListFile in the data
// folder, and their in-memory tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
// DataDir + "\SNPDAT." + X + "03": the folders the walk could not list, one
// whole key a line, ended by a line "THEEND". Snapshots taken before it
// existed have none, and count as having no such folders.
std::string UnreadableListFileName(char drive);

// DataDir + "\SNPDAT." + X + "04": the sum of the other three, one line each
// ("<lines> <CRC-32 in hex>"), saved with them and checked at load. A
// snapshot saved before it existed has none and loads unchecked.
std::string SumFileName(char drive);

// Flips bit 3 of every character; its own inverse.
std::string ScrambleText(const std::string& text);

// SnapshotFileTable: slots 1..60,000 of up to 120 characters.
int FileTableCount();
// The record in a slot; "" for a slot outside 1..60,000. The text stays
// where it is until the table is emptied (SetFileTableCount(0)).
std::string_view FileRecord(int slot);
// Stores a record (cut to 120 characters) in a slot; slots above 60,000 are
// not stored.
void StoreFileRecord(int slot, const std::string& record);
// Stores a name upper-cased and cut to 120 characters, reusing the slot's
// storage; slots above 60,000 are not stored.
void StoreUpperRecord(int slot, const std::string& name);
// Slots in use: 0 before a walk, the number of lines after a load. 0 also
// empties every slot and gives their storage back.
void SetFileTableCount(int count);

// SnapshotFolderTable: slots 1..8,000 of up to 255 characters, unscrambled.
int FolderTableCount();
// The line in a slot; "" for a slot outside 1..8,000.
const std::string& FolderLine(int slot);
// The line in a slot as the file holds it, not cut to 255 characters: two
// folders whose paths share their first 255 characters are told apart by it.
const std::string& FolderKey(int slot);

// Whole upper-cased keys of the folders that could not be listed, in walk
// order: filled by the walk and saved with the snapshot, or by a load.
std::vector<std::string>& UnreadableFolders();

// FolderListLines: the folder table's lines as the walk makes them, scrambled,
// until the save writes them.
platform::ListBox& FolderListLines();

// Writes slots 1..n as FileListFile, FolderListLines (with the end pair) as
// FolderListFile, UnreadableFolders as the unreadable list and their sum,
// then empties FolderListLines and UnreadableFolders. The four files are
// first written whole and only then put in place of the old set together
// (common/staged_replace.h):
// a failure leaves the old set, a power cut the old or the new set whole once
// the next load or save has finished the replace.
// FileListFile not creatable: "File create error !!!" and the program ends.
// Other failures throw std::runtime_error ("Cannot create file <path>",
// "Stream write error") for the general error handler.
void SaveSnapshot(char drive, int32_t n);

// Finishes or undoes, for every drive, a replace of the snapshot files that a
// power cut stopped part-way; what fails to settle is settled by the drive's
// next load or save.
void SettleInterruptedSaves();

// Fills both tables and UnreadableFolders from the drive's files, after
// finishing a replace that was cut short; false after telling the user why
// (no snapshot, a table limit, files that are missing or do not hold
// together).
bool LoadSnapshot(char drive);

}  // namespace snapshot
