#pragma once
// The state behind a reader handle, and the unzip operation with its output chosen by the caller
// (tests write to memory through it).
#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipOutput.h"
#include "unpack/zip/ZipReader.h"

#include <memory>
#include <string>

struct ZipReaderState {
    static constexpr size_t kUnzipBufferSize = 16384;

    zip::Bytes archive;  // borrowed from the caller
    zip::CentralDirectory directory;
    uint32_t cursorIndex = 0;   // central-directory entry the cursor is at
    size_t cursorOffset = 0;    // and where its record starts
    int cachedIndex = -1;
    ZipItem cachedItem{};
    zip::Entry cachedEntry;
    std::wstring baseFolder;
    std::string password;
    std::unique_ptr<uint8_t[]> unzipBuffer;  // allocated on the first unzip, reused
};

constexpr DWORD kZipReaderKind = 1;

ZRESULT ZipUnzipItemTo(HZIP hz, int index, const wchar_t* target, zip::Output& output);
