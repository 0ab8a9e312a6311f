#pragma once
// Results of the container parsing and the unzip step; the values are those of the ZR_ codes (the
// handle checks, ZR_BADARGS and ZR_WRONGMODE, happen in the five operations alone).
#include <cstdint>
#include <span>

namespace zip {

enum class Status : uint32_t {
    Ok = 0,
    CantOpen = 0x200,
    WriteError = 0x400,
    BadArchive = 0x700,
    ReadError = 0x800,
    BadPassword = 0x1000,
    Inflate = 0x05000000,
};

using Bytes = std::span<const uint8_t>;

// True when [offset, offset + length) lies inside bytes, whatever the values.
inline bool Fits(Bytes bytes, uint64_t offset, uint64_t length)
{
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace zip
