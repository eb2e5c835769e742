// The profile-file reader and writer over an arbitrary TRELMRK.INI: a value
// the program writes reads back as written, every other value reads as it
// did before, and a rewritten file is rewritten to itself.
//
// An input is one byte choosing the key, four bytes of the value (little
// endian), then the file's bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fake/state.h"
#include "fuzz_machine.h"
#include "platform/profile.h"
#include "platform/text_rules.h"

namespace {

using platform::fake::Machine;
using platform::fake::ProfileFile;

const char* const File = "C:\\TRELMRK.INI";
const char* const Missing = "\x01(missing)";

// The keys the program writes.
const std::pair<const char*, const char*> Keys[] = {
    {"Settings", "Recycle"}, {"Settings", "drivec"},          {"Dates", "Date1"},
    {"Dates", "DateC"},      {"Statistics - C", "Pathcount"}, {"Statistics - D", "Totalsize"},
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::StartMachine();
    Machine::addDrive('C');
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5)
        return 0;
    const auto& [section, key] = Keys[data[0] % (sizeof Keys / sizeof Keys[0])];
    int32_t value;
    memcpy(&value, data + 1, sizeof value);
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string text = input.substr(5);
    const auto fail = [&input](const std::string& kind, const std::string& detail) {
        fuzzing::Fail("profile_file", kind, detail, input);
    };
    Machine::writeFile(File, text);

    // Every key the file holds (up to a limit), read before the write.
    std::vector<std::pair<std::string, std::string>> probes;
    for (const auto& part : ProfileFile::parse(text).sections) {
        for (const auto& line : part.lines) {
            if (line.hasValue && probes.size() < 64 &&
                !(platform::sameText(part.name, section) && platform::sameText(line.name, key))) {
                probes.emplace_back(part.name, line.name);
            }
        }
    }
    std::vector<std::string> before;
    for (const auto& [s, k] : probes)
        before.push_back(platform::readProfileString(File, s, k, Missing));

    if (!platform::writeProfileString(File, section, key, std::to_string(value)))
        fail("a write failed", "");
    const std::string written = Machine::readFile(File);
    if (fuzzing::RewriteGainedUtf8Mark(text, written))
        return 0;
    if (platform::readProfileInt(File, section, key, value ^ 1) != value)
        fail("a value does not read back as written", "");
    // A write that changes nothing leaves the file as it was, however it is laid out.
    if (written != text && ProfileFile::parse(written).text() != written)
        fail("a rewritten file does not rewrite to itself", "");
    // Windows' profile routines drop an empty "[]" header when they rewrite
    // the file, and the keys after it join the section before: their values
    // may move, as they would on Windows.
    if (fuzzing::HasEmptySectionHeader(text))
        return 0;
    for (size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        if (platform::readProfileString(File, s, k, Missing) != before[i])
            fail("a value changed on another key's write: ", "[" + s + "] " + k);
    }
    return 0;
}
