#pragma once
// Writes one zip archive in memory, deterministically: the entries in the order given, each with the
// time given, DOS attributes (folder 0x10, file 0x20), files deflated at level 9, folders stored.
#include <cstdint>
#include <string>
#include <vector>

namespace pack {

struct PackEntry {
    std::string name;  // UTF-8, "/" between parts; folders end with "/"
    bool folder = false;
    std::vector<uint8_t> data;
    uint16_t dosDate = 0;
    uint16_t dosTime = 0;
};

// Limits of the classic zip format that the reader understands (no zip64).
constexpr uint64_t kMaxZipBytes = 0xFFFFFFFFull;
constexpr size_t kMaxZipEntries = 0xFFFF;

// The archive, or an empty vector with *pError set when it would exceed the format's limits.
std::vector<uint8_t> WriteZip(const std::vector<PackEntry>& entries, std::string* pError);

}  // namespace pack
