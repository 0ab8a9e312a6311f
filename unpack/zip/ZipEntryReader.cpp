#include "unpack/zip/ZipEntryReader.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace zip {

namespace {
constexpr size_t kEncryptionHeaderSize = 12;
}

EntryReader::~EntryReader()
{
    if (m_bInflating)
        inflateEnd(&m_stream);
}

Status EntryReader::Open(Bytes archive, const Entry& entry, std::string_view password)
{
    const CentralRecord& central = entry.central;
    if (!Fits(archive, entry.dataOffset, central.compressedSize))
        return Status::Inflate;
    m_source = archive.subspan(entry.dataOffset, central.compressedSize);
    m_bDeflated = central.method == kMethodDeflated;
    m_bEncrypted = (central.flags & kFlagEncrypted) != 0;
    m_nExpectedCrc = central.crc;
    m_nExpectedSize = central.uncompressedSize;

    if (m_bEncrypted) {
        if (m_source.size() < kEncryptionHeaderSize)
            return Status::Inflate;
        m_keys = TraditionalKeys(password);
        uint8_t check = 0;
        for (size_t i = 0; i < kEncryptionHeaderSize; ++i)
            check = m_keys.Decrypt(m_source[i]);
        m_source = m_source.subspan(kEncryptionHeaderSize);
        const uint8_t expected = (central.flags & kFlagDataDescriptor) ? static_cast<uint8_t>(central.dosTime >> 8)
                                                                       : static_cast<uint8_t>(central.crc >> 24);
        if (check != expected)
            return Status::BadPassword;
    }
    if (!m_bDeflated) {
        if (m_source.size() != m_nExpectedSize)
            return Status::BadArchive;
        return Status::Ok;
    }
    if (m_bEncrypted)
        m_pInput = std::make_unique<uint8_t[]>(kInputChunk);
    if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK)
        return Status::Inflate;
    m_bInflating = true;
    return Status::Ok;
}

Status EntryReader::Read(std::span<uint8_t> out, size_t& produced, bool& finished)
{
    produced = 0;
    finished = m_bFinished;
    if (m_bFinished)
        return Status::Ok;
    const Status status = m_bDeflated ? ReadDeflated(out, produced) : ReadStored(out, produced);
    if (status != Status::Ok)
        return status;
    m_nCrc = static_cast<uint32_t>(crc32(m_nCrc, out.data(), static_cast<uInt>(produced)));
    m_nProduced += produced;
    if (m_nProduced > m_nExpectedSize)
        return Status::Inflate;
    finished = m_bFinished;
    return m_bFinished ? Finish() : Status::Ok;
}

Status EntryReader::ReadStored(std::span<uint8_t> out, size_t& produced)
{
    produced = std::min(out.size(), m_source.size());
    if (m_bEncrypted) {
        for (size_t i = 0; i < produced; ++i)
            out[i] = m_keys.Decrypt(m_source[i]);
    } else {
        std::memcpy(out.data(), m_source.data(), produced);
    }
    m_source = m_source.subspan(produced);
    m_bFinished = m_source.empty();
    return Status::Ok;
}

void EntryReader::FeedInflate()
{
    size_t length = 0;
    if (m_bEncrypted) {
        length = std::min(m_source.size(), kInputChunk);
        for (size_t i = 0; i < length; ++i)
            m_pInput[i] = m_keys.Decrypt(m_source[i]);
        m_stream.next_in = m_pInput.get();
    } else {
        length = std::min<size_t>(m_source.size(), UINT_MAX);
        m_stream.next_in = const_cast<Bytef*>(m_source.data());
    }
    m_stream.avail_in = static_cast<uInt>(length);
    m_source = m_source.subspan(length);
}

Status EntryReader::ReadDeflated(std::span<uint8_t> out, size_t& produced)
{
    m_stream.next_out = out.data();
    m_stream.avail_out = static_cast<uInt>(out.size());
    while (m_stream.avail_out > 0) {
        if (m_stream.avail_in == 0 && !m_source.empty())
            FeedInflate();
        const int result = inflate(&m_stream, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            m_bFinished = true;
            break;
        }
        // With room for output, inflate either progresses or fails; Z_BUF_ERROR here means the input
        // ran out before the stream's end marker.
        if (result != Z_OK)
            return Status::Inflate;
    }
    produced = out.size() - m_stream.avail_out;
    return Status::Ok;
}

Status EntryReader::Finish()
{
    if (m_nProduced != m_nExpectedSize)
        return Status::Inflate;
    if (m_nCrc != m_nExpectedCrc)
        return Status::BadArchive;
    return Status::Ok;
}

}  // namespace zip
