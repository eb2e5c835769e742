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

// Flips bit 3 of every character; its own inverse.
std::string ScrambleText(const std::string& text);

// Upper-cases only the letters a to z.
std::string UpperCase(const std::string& text);

// SnapshotFileTable: slots 1..60,000 of up to 120 characters.
int FileTableCount();
const std::string& FileRecord(int slot);
// Stores a record (cut to 120 characters) in a slot; slots above 60,000 are
// not stored.
void StoreFileRecord(int slot, const std::string& record);

// SnapshotFolderTable: slots 1..8,000 of up to 255 characters, unscrambled.
int FolderTableCount();
const std::string& FolderLine(int slot);

// FolderListLines: the hidden list box of the progress window.
platform::ListBox& FolderListLines();

// Writes slots 1..n as FileListFile and FolderListLines (with the end pair) as
// FolderListFile, then empties FolderListLines.
void SaveSnapshot(char drive, int32_t n);

// Fills both tables from the drive's files; false after telling the user why.
bool LoadSnapshot(char drive);

}  // namespace snapshot
