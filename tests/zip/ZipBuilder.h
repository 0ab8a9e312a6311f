#pragma once
// Builds zip archives byte by byte, so that tests can state exactly what a record holds and then
// damage it. Offsets of every record are kept for patching.
#include <cstdint>
#include <string>
#include <vector>

struct BuildEntry {
    std::string name{};
    std::string data{};
    bool deflate = false;
    uint16_t versionMadeBy = 0x031E;  // Unix host
    uint16_t flags = 0;
    uint32_t externalAttr = 0100644u << 16;
    uint16_t dosTime = 0x18C3, dosDate = 0x5022;  // 2020-01-02 03:06:06
    std::string localExtra{};
    bool descriptor = false;  // sizes and CRC only after the data (flag bit 3, zeros in the local header)
    std::string password{};   // non-empty: traditional PKWARE encryption with a fixed header
};

struct BuiltZip {
    std::vector<uint8_t> bytes;
    std::vector<size_t> local, central;  // record offsets, per entry
    size_t end = 0;                      // end record offset

    void Put16(size_t at, uint16_t value);
    void Put32(size_t at, uint32_t value);
};

BuiltZip BuildZip(const std::vector<BuildEntry>& entries, const std::string& comment = {},
                  const std::string& prefix = {});

std::string RawDeflate(const std::string& data);

// A "UT" extra block with the given flags and times.
std::string ExtendedTimestamp(uint8_t flags, const std::vector<int32_t>& times);
