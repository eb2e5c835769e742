// Profile-file reads and writes of the stand-in on machine files.
#include "platform/profile.h"

#include <unistd.h>

#include "fake/faults.h"
#include "fake/fileio.h"
#include "fake/profile_file.h"

namespace platform {

using namespace platform::fake;

namespace {

bool loadFile(const std::string& path, std::string& text) {
    int fd;
    if (openMachineFile(path, OpenFor::Read, fd) != 0)
        return false;
    char block[8192];
    ssize_t got;
    while ((got = read(fd, block, sizeof block)) > 0)
        text.append(block, static_cast<size_t>(got));
    closeMachineFile(fd);
    return got == 0;
}

}  // namespace

std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
    std::string text;
    if (!loadFile(file, text))
        return fallback;
    const ProfileFile profile = ProfileFile::parse(text);
    const std::string* found = profile.find(section, key);
    if (found == nullptr)
        return fallback;
    std::string value = *found;
    // Matching quotes around a value are dropped on reading.
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    // The system's read fills a buffer of ProfileValueLimit + 1 at most.
    if (value.size() > ProfileValueLimit)
        value.resize(ProfileValueLimit);
    return value;
}

bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    if (section.size() > ProfileWriteLimit || key.size() > ProfileWriteLimit ||
        value.size() > ProfileWriteLimit)
        return false;
    std::string text;
    loadFile(file, text);
    ProfileFile profile = ProfileFile::parse(text);
    if (!profile.set(section, key, value))
        return true;
    int fd = -1;
    try {
        if (openMachineFile(file, OpenFor::CreateAlways, fd) != 0)
            return false;
        const std::string out = profile.text();
        const bool written = writeStep(fd, out.data(), out.size(), file).ok();
        return closeStep(fd, file).ok() && written;
    } catch (const faults::PowerCut&) {
        // The power takes the open file with it.
        closeMachineFile(fd);
        throw;
    }
}

}  // namespace platform
