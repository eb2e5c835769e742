// Lookups of the change scanner in the loaded snapshot tables: whether a
// folder is known, which records belong to a folder, and whether a name is
// among them. Same answers as scanning the tables line by line, in time
// proportional to the tables rather than to their square.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace restore {

class FolderIndex {
public:
    // Indexes the folder table as it stands after a load, which has refused
    // a table whose pairs do not hold together. The index refers to the
    // tables' own texts and is valid until the next load.
    void build();

    // Some pair of the folder table has `folder` as its whole key.
    bool holdsFolder(std::string_view folder) const;
    // More than one pair has `folder` as its key, so its records are not
    // known for certain: none of its files may be offered for removal.
    bool undecided(std::string_view folder) const;
    // The folder could not be listed when the snapshot was taken: neither it
    // nor anything below it may be offered for removal.
    bool unreadable(std::string_view folder) const;
    // A folder that no pair holds may still be a known one whose key was
    // damaged past the characters its own record keeps: some pair's key
    // agrees with it that far but names no folder the walk lists. Nothing of
    // such a folder may be offered for removal.
    bool mayBeDamagedKey(std::string_view folder) const;

    // Record numbers of the files of the folder whose whole key equals
    // `folder` exactly. Returns false and an empty range (1, 0) when no key
    // matches. Without a following pair the range runs to the last record.
    bool folderRange(std::string_view folder, int& first, int& last) const;

    // Makes records first..last of the file table the set that contains()
    // answers for.
    void selectRecords(int first, int last);
    // Some selected record equals `nameKey` exactly.
    bool contains(std::string_view nameKey) const;

private:
    int recordNumber(int line) const;

    // The key line of each folder's pair, by whole key; lines are numbered
    // from 1.
    std::unordered_map<std::string_view, int> keyLine_;
    std::unordered_set<std::string_view> repeatedKeys_;
    // Keys longer than a record, by the part of them that a record keeps.
    std::unordered_multimap<std::string_view, std::string_view> longKeys_;
    std::unordered_set<std::string> unreadable_;
    std::vector<int> numbers_;  // parsed number of each line, -1 when not a number

    // Small ranges are scanned; larger ones go through the set.
    int first_ = 1, last_ = 0;
    bool hashed_ = false;
    std::unordered_set<std::string_view> records_;
};

}  // namespace restore
