// A stand-in machine for a fuzz target, in a folder of its own that is
// removed at exit (in memory where the host has /dev/shm).
#pragma once

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <set>
#include <string>

#include "fake/machine.h"
#include "fake/profile_file.h"

namespace fuzzing {

inline void StartMachine() {
    namespace fs = std::filesystem;
    static std::string folder;
    const char* base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    folder = std::string(base) + "/trellmark-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        perror("mkdtemp");
        exit(1);
    }
    atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
    platform::fake::Machine::reset(folder);
}

// A section header "[]" among the file's lines. Such a file's keys after it
// move to the section before on any rewrite; the checks that other values
// stay put skip those files until the rewrite keeps the header.
inline bool HasEmptySectionHeader(const std::string& text) {
    const platform::fake::ProfileFile file = platform::fake::ProfileFile::parse(text);
    for (size_t i = 1; i < file.sections.size(); ++i) {
        if (file.sections[i].name.empty())
            return true;
    }
    return false;
}

// A first key whose name starts with a UTF-8 mark after blanks comes to
// stand at the start of the rewritten file, which Windows' profile routines
// then read as UTF-8: the name loses its mark, and what follows may read as a
// section header. Windows 9x knows no such mark. The checks that values stay
// put skip those files.
inline bool RewriteGainedUtf8Mark(const std::string& before, const std::string& after) {
    const char* const mark = "\xEF\xBB\xBF";
    return after.compare(0, 3, mark) == 0 && before.compare(0, 3, mark) != 0;
}

// A failed check: aborts, so that the fuzzer keeps the input. For long runs
// over faults already known, TRELLMARK_FUZZ_FINDINGS may name a folder
// instead: the first input of each kind of failure is kept there and the run
// goes on.
// Failures of one kind count as one; the detail is only printed.
inline void Fail(const char* target, const std::string& kind, const std::string& detail,
                 const std::string& input) {
    const std::string what = kind + detail;
    static std::set<std::string> seen;
    const char* folder = getenv("TRELLMARK_FUZZ_FINDINGS");
    if (folder == nullptr || seen.size() >= 100) {
        fprintf(stderr, "%s: %s\n", target, what.c_str());
        abort();
    }
    if (!seen.insert(kind).second)
        return;
    fprintf(stderr, "%s: %s (kept as finding %zu)\n", target, what.c_str(), seen.size());
    const std::string name = std::string(folder) + "/" + target + "-" + std::to_string(seen.size());
    FILE* out = fopen(name.c_str(), "wb");
    if (out != nullptr) {
        fwrite(input.data(), 1, input.size(), out);
        fclose(out);
    }
}

}  // namespace fuzzing
