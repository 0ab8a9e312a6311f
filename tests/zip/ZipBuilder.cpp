#include "ZipBuilder.h"

#include <zlib.h>

#include <stdexcept>

namespace {

void Add16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Add32(std::vector<uint8_t>& out, uint32_t v)
{
    Add16(out, static_cast<uint16_t>(v));
    Add16(out, static_cast<uint16_t>(v >> 16));
}

void AddText(std::vector<uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

// Traditional PKWARE encryption, written here from the format description to cross-check the reader.
std::string Encrypt(const std::string& password, uint8_t check, const std::string& body)
{
    uint32_t keys[3] = {0x12345678, 0x23456789, 0x34567890};
    auto update = [&](uint8_t plain) {
        keys[0] = static_cast<uint32_t>(crc32(keys[0] ^ 0xFFFFFFFFu, &plain, 1) ^ 0xFFFFFFFFu);
        keys[1] = (keys[1] + (keys[0] & 0xFF)) * 134775813u + 1;
        const uint8_t high = static_cast<uint8_t>(keys[1] >> 24);
        keys[2] = static_cast<uint32_t>(crc32(keys[2] ^ 0xFFFFFFFFu, &high, 1) ^ 0xFFFFFFFFu);
    };
    for (char c : password)
        update(static_cast<uint8_t>(c));
    std::string plain = "0123456789a" + std::string(1, static_cast<char>(check)) + body;
    std::string out;
    for (char c : plain) {
        const uint16_t temp = static_cast<uint16_t>(keys[2] | 2);
        out += static_cast<char>(static_cast<uint8_t>(c) ^ static_cast<uint8_t>((temp * (temp ^ 1)) >> 8));
        update(static_cast<uint8_t>(c));
    }
    return out;
}

}  // namespace

void BuiltZip::Put16(size_t at, uint16_t value)
{
    bytes.at(at) = static_cast<uint8_t>(value);
    bytes.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

void BuiltZip::Put32(size_t at, uint32_t value)
{
    Put16(at, static_cast<uint16_t>(value));
    Put16(at + 2, static_cast<uint16_t>(value >> 16));
}

std::string RawDeflate(const std::string& data)
{
    z_stream s{};
    if (deflateInit2(&s, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&s, static_cast<uLong>(data.size())), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    if (deflate(&s, Z_FINISH) != Z_STREAM_END)
        throw std::runtime_error("deflate");
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

std::string ExtendedTimestamp(uint8_t flags, const std::vector<int32_t>& times)
{
    std::vector<uint8_t> block{'U', 'T'};
    Add16(block, static_cast<uint16_t>(1 + 4 * times.size()));
    block.push_back(flags);
    for (int32_t t : times)
        Add32(block, static_cast<uint32_t>(t));
    return std::string(block.begin(), block.end());
}

BuiltZip BuildZip(const std::vector<BuildEntry>& entries, const std::string& comment, const std::string& prefix)
{
    BuiltZip zip;
    std::vector<uint8_t>& out = zip.bytes;
    AddText(out, prefix);
    struct Stored {
        uint32_t crc, compressed, size;
    };
    std::vector<Stored> stored;
    for (const BuildEntry& e : entries) {
        std::string body = e.deflate ? RawDeflate(e.data) : e.data;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
        if (!e.password.empty())
            body = Encrypt(e.password, static_cast<uint8_t>(e.descriptor ? e.dosTime >> 8 : crc >> 24), body);
        const Stored s{crc, static_cast<uint32_t>(body.size()), static_cast<uint32_t>(e.data.size())};
        stored.push_back(s);
        zip.local.push_back(out.size());
        const uint16_t flags = static_cast<uint16_t>(e.flags | (e.descriptor ? 8 : 0) | (e.password.empty() ? 0 : 1));
        Add32(out, 0x04034b50);
        Add16(out, 20);
        Add16(out, flags);
        Add16(out, e.deflate ? 8 : 0);
        Add16(out, e.dosTime);
        Add16(out, e.dosDate);
        Add32(out, e.descriptor ? 0 : s.crc);
        Add32(out, e.descriptor ? 0 : s.compressed);
        Add32(out, e.descriptor ? 0 : s.size);
        Add16(out, static_cast<uint16_t>(e.name.size()));
        Add16(out, static_cast<uint16_t>(e.localExtra.size()));
        AddText(out, e.name);
        AddText(out, e.localExtra);
        AddText(out, body);
        if (e.descriptor) {
            Add32(out, 0x08074b50);
            Add32(out, s.crc);
            Add32(out, s.compressed);
            Add32(out, s.size);
        }
    }
    const size_t directoryStart = out.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const BuildEntry& e = entries[i];
        zip.central.push_back(out.size());
        Add32(out, 0x02014b50);
        Add16(out, e.versionMadeBy);
        Add16(out, 20);
        Add16(out, static_cast<uint16_t>(e.flags | (e.descriptor ? 8 : 0) | (e.password.empty() ? 0 : 1)));
        Add16(out, e.deflate ? 8 : 0);
        Add16(out, e.dosTime);
        Add16(out, e.dosDate);
        Add32(out, stored[i].crc);
        Add32(out, stored[i].compressed);
        Add32(out, stored[i].size);
        Add16(out, static_cast<uint16_t>(e.name.size()));
        Add16(out, 0);  // extra
        Add16(out, 0);  // comment
        Add16(out, 0);  // disk
        Add16(out, 0);  // internal attributes
        Add32(out, e.externalAttr);
        Add32(out, static_cast<uint32_t>(zip.local[i] - prefix.size()));
        AddText(out, e.name);
    }
    zip.end = out.size();
    Add32(out, 0x06054b50);
    Add16(out, 0);
    Add16(out, 0);
    Add16(out, static_cast<uint16_t>(entries.size()));
    Add16(out, static_cast<uint16_t>(entries.size()));
    Add32(out, static_cast<uint32_t>(zip.end - directoryStart));
    Add32(out, static_cast<uint32_t>(directoryStart - prefix.size()));
    Add16(out, static_cast<uint16_t>(comment.size()));
    AddText(out, comment);
    return zip;
}
