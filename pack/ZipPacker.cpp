#include "pack/ZipPacker.h"

#include <zlib.h>

namespace pack {
namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint16_t kVersion = 20;        // 2.0, made on a DOS host (high byte 0)
constexpr uint16_t kFlagUtf8 = 0x0800;   // the name is UTF-8
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
constexpr uint32_t kDosFolder = 0x10;
constexpr uint32_t kDosArchive = 0x20;

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool Deflate(const std::vector<uint8_t>& in, std::vector<uint8_t>& out)
{
    z_stream z = {};
    if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    out.resize(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return status == Z_STREAM_END;
}

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

}  // namespace

std::vector<uint8_t> WriteZip(const std::vector<PackEntry>& entries, std::string* pError)
{
    std::vector<uint8_t> zip, central;
    if (entries.size() > kMaxZipEntries) {
        *pError = "more than 65535 entries in one archive";
        return {};
    }
    for (const PackEntry& e : entries) {
        if (e.data.size() >= kMaxZipBytes) {
            *pError = e.name + ": larger than 4 GiB";
            return {};
        }
        std::vector<uint8_t> compressed;
        if (!e.folder && !Deflate(e.data, compressed)) {
            *pError = e.name + ": cannot compress";
            return {};
        }
        const uint16_t method = e.folder ? kStored : kDeflated;
        const uint32_t crc = static_cast<uint32_t>(crc32(0, e.data.data(), static_cast<uInt>(e.data.size())));
        const uint16_t flags = IsAscii(e.name) ? 0 : kFlagUtf8;
        const uint64_t offset = zip.size();
        if (offset + 30 + e.name.size() + compressed.size() >= kMaxZipBytes) {
            *pError = "the archive would be larger than 4 GiB";
            return {};
        }
        Put32(zip, kLocalSignature);
        Put16(zip, kVersion);
        Put16(zip, flags);
        Put16(zip, method);
        Put16(zip, e.dosTime);
        Put16(zip, e.dosDate);
        Put32(zip, crc);
        Put32(zip, static_cast<uint32_t>(compressed.size()));
        Put32(zip, static_cast<uint32_t>(e.data.size()));
        Put16(zip, static_cast<uint32_t>(e.name.size()));
        Put16(zip, 0);
        zip.insert(zip.end(), e.name.begin(), e.name.end());
        zip.insert(zip.end(), compressed.begin(), compressed.end());

        Put32(central, kCentralSignature);
        Put16(central, kVersion);
        Put16(central, kVersion);
        Put16(central, flags);
        Put16(central, method);
        Put16(central, e.dosTime);
        Put16(central, e.dosDate);
        Put32(central, crc);
        Put32(central, static_cast<uint32_t>(compressed.size()));
        Put32(central, static_cast<uint32_t>(e.data.size()));
        Put16(central, static_cast<uint32_t>(e.name.size()));
        Put16(central, 0);  // extra field
        Put16(central, 0);  // comment
        Put16(central, 0);  // disk
        Put16(central, 0);  // internal attributes
        Put32(central, e.folder ? kDosFolder : kDosArchive);
        Put32(central, static_cast<uint32_t>(offset));
        central.insert(central.end(), e.name.begin(), e.name.end());
    }
    if (zip.size() + central.size() + 22 >= kMaxZipBytes) {
        *pError = "the archive would be larger than 4 GiB";
        return {};
    }
    const uint32_t centralOffset = static_cast<uint32_t>(zip.size());
    zip.insert(zip.end(), central.begin(), central.end());
    Put32(zip, kEndSignature);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, static_cast<uint32_t>(entries.size()));
    Put16(zip, static_cast<uint32_t>(entries.size()));
    Put32(zip, static_cast<uint32_t>(central.size()));
    Put32(zip, centralOffset);
    Put16(zip, 0);
    return zip;
}

}  // namespace pack
