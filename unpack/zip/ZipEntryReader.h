#pragma once
// Reads one entry's data, stored or deflated (zlib raw inflate), optionally ZipCrypto-encrypted, and
// checks its length and CRC-32 against the central directory when the end is reached.
#include "unpack/zip/ZipCrypto.h"
#include "unpack/zip/ZipFormat.h"

#include <memory>
#include <string_view>

#include <zlib.h>

namespace zip {

class EntryReader {
public:
    static constexpr size_t kInputChunk = 16384;

    EntryReader() = default;
    ~EntryReader();
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    // Inflate when the data runs past the buffer; BadPassword when the encryption header's check byte
    // is wrong; BadArchive when a stored entry's two sizes disagree.
    Status Open(Bytes archive, const Entry& entry, std::string_view password);

    // Fills out with the next bytes; finished is set with the last of them. Inflate for a damaged or
    // short stream or a wrong length, BadArchive for a CRC mismatch.
    Status Read(std::span<uint8_t> out, size_t& produced, bool& finished);

private:
    Status ReadStored(std::span<uint8_t> out, size_t& produced);
    Status ReadDeflated(std::span<uint8_t> out, size_t& produced);
    void FeedInflate();
    Status Finish();

    Bytes m_source;  // compressed bytes not yet consumed
    bool m_bDeflated = false, m_bEncrypted = false, m_bInflating = false, m_bFinished = false;
    TraditionalKeys m_keys;
    std::unique_ptr<uint8_t[]> m_pInput;  // decrypted input; plain data is inflated straight from the buffer
    z_stream m_stream{};
    uint32_t m_nCrc = 0, m_nExpectedCrc = 0;
    uint64_t m_nProduced = 0, m_nExpectedSize = 0;
};

}  // namespace zip
