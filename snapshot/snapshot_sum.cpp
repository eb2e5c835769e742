// The sum a snapshot set is saved with: one CRC-32 per file over its lines,
// so that a record changed on the disk is found at load rather than judged.
#include <array>
#include <cstdio>

#include "snapshot/store_internal.h"

namespace snapshot::detail {

namespace {

// The reflected IEEE polynomial of Zip and Ethernet.
std::array<uint32_t, 256> makeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

uint32_t update(uint32_t crc, unsigned char byte) {
    static const std::array<uint32_t, 256> table = makeTable();
    return table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

}  // namespace

void LineSum::add(std::string_view line) {
    uint32_t crc = crc_;
    for (const char c : line)
        crc = update(crc, static_cast<unsigned char>(c));
    // The end of the line counts, so that "AB" is not "A" and "B".
    crc_ = update(crc, '\n');
    ++lines_;
}

std::string LineSum::text() const {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(crc_ ^ 0xFFFFFFFFu));
    return std::to_string(lines_) + " " + hex;
}

}  // namespace snapshot::detail
