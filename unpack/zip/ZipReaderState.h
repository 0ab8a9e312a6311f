#pragma once
// The state behind a reader handle; internal to the reader (ZipReader.cpp, ZipUnzipAll.cpp).
#include "unpack/zip/ZipExtract.h"
#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipOutput.h"
#include "unpack/zip/ZipReader.h"

#include <memory>
#include <string>
#include <vector>

struct ZipReaderState {
    // Output chunks: one write per chunk, or per entry when the entry is smaller.
    static constexpr size_t kUnzipBufferSize = 1 << 20;

    zip::Bytes archive;  // borrowed from the caller
    zip::Output* output = nullptr;  // borrowed from the caller
    zip::CentralDirectory directory;
    std::vector<size_t> recordOffsets;  // where each entry's central record starts
    int cachedIndex = -1;
    ZipItem cachedItem{};
    zip::Entry cachedEntry;
    std::wstring baseFolder;
    std::string password;
    std::vector<uint8_t> unzipBuffer;  // allocated on the first unzip, reused
};

constexpr DWORD kZipReaderKind = 1;

namespace zip {

ZRESULT ToResult(Status status);

// BADARGS / WRONGMODE for a handle that is not a live reader handle; ZR_OK otherwise.
ZRESULT CheckHandle(HZIP hz);

// Reads entry index's records: its item record and what the unzip step needs.
ZRESULT LoadEntry(const ZipReaderState& state, int index, ZipItem& item, Entry& entry);

// The unzip step's request for an entry loaded by LoadEntry.
ExtractRequest MakeRequest(const ZipReaderState& state, const Entry& entry, const ZipItem& item,
                           std::wstring_view target, std::span<uint8_t> buffer);

// An output buffer for entries of up to largest bytes: 1 MiB, or less when every entry is smaller.
size_t UnzipBufferSize(uint64_t largest);

}  // namespace zip
