// Walk orders the tests can state: FindFirstFileA lists a folder in an order
// of its own, so a walk's output is compared in the order a walk that met
// every folder's entries sorted by name would give.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Paths ("C:\DIR\FILE", folders as "C:\DIR\") put in that order: a folder's
// files before its subfolders, a folder before what it holds, each sorted by
// name without regard to case. Runs of one drive keep their place, so the
// order of the drives is still the walk's. Fails the test when the paths as
// given are in no walk order: something inside a folder before something
// the folder itself holds.
std::vector<std::string> inNameWalkOrder(const std::vector<std::string>& paths);

// The bytes of a snapshot file list (records of a drive's root, then each
// folder's record followed by its files) as a walk in name order writes it.
std::string fileListInNameOrder(const std::string& bytes);

// The first entry of a folder ("C:\") among these names, in the order its
// listing gives them: the one a walk meets first.
std::string firstListed(const std::string& folder, const std::vector<std::string>& names);

}  // namespace testing_support
