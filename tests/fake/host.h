// Host-side file facts of the stand-in: what exists at a host path and the
// Windows attribute bits the stand-in keeps for it.
#pragma once

#include <cstdint>
#include <string>

namespace platform::fake {

enum class HostKind { Missing, File, Folder, LinkToFile, LinkToFolder };

HostKind hostKind(const std::string& host);
bool isFolderKind(HostKind kind);

// The attribute bits of an existing entry, or -1.
int64_t hostAttributes(const std::string& host);
void setHostAttributes(const std::string& host, uint32_t bits);
// Forgets the bits kept for an entry and everything below it.
void forgetHostAttributes(const std::string& host);
// Moves the bits kept for an entry (and below) to its new place.
void moveHostAttributes(const std::string& from, const std::string& to);

bool hostReadOnly(const std::string& host);

// Removes a file, link or whole folder tree; false if anything stayed.
bool removeHostTree(const std::string& host);

}  // namespace platform::fake
