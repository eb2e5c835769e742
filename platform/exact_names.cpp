// Whether a listed name leads back to its own entry: the system drops
// trailing dots and blanks of a path and takes short aliases, so a name from
// another system (a network drive, another operating system) may address a
// different entry than the one listed.
#include "platform/files.h"

namespace platform {

namespace {

bool endsInDotOrBlank(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

// Characters with a meaning of their own in a path or a search: a name
// holding one cannot be searched for as itself.
bool hasPatternOrSeparator(const std::string& name) {
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || c == '*' || c == '?' || c == '\\' || c == '/' || c == ':' || c == '<' ||
            c == '>' || c == '"' || c == '|')
            return true;
    }
    return false;
}

}  // namespace

bool findExact(const std::string& path, DirEntry& entry) {
    DirectoryListing listing(path, attr::AnyFile);
    if (!listing.next(entry))
        return false;
    DirEntry more;
    return !listing.next(more);
}

bool namesItself(const std::string& folder, const DirEntry& entry) {
    const std::string& name = entry.name;
    if (name.empty() || name == "." || name == ".." || endsInDotOrBlank(name) ||
        hasPatternOrSeparator(name))
        return false;
    // Only a name with a tilde can be some other entry's short alias; every
    // other plain name is its own, and a walk need not search for each one.
    if (name.find('~') == std::string::npos)
        return true;
    DirEntry found;
    return findExact(folder + name, found) && found.name == name &&
           found.isFolder() == entry.isFolder();
}

}  // namespace platform
