// The yardstick of the Wine benchmark: a bare FindFirstFileA/FindNextFileA
// walk of a drive, depth first, one listing per folder, links not followed.
// Prints the number of entries and the milliseconds the walk took.
//
//   bench-bare-walk.exe D:\          (the root, with its trailing backslash)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

long walk(const std::string& folder) {
    long entries = 0;
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            ++entries;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                subfolders.push_back(name);
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    for (const std::string& name : subfolders)
        entries += walk(folder + name + "\\");
    return entries;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench-bare-walk ROOT\\\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const long entries = walk(argv[1]);
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    std::printf("%ld %.1f\n", entries, ms);
    return 0;
}
