#pragma once
// The unzip step: where an entry goes, the folders on the way, and the copy of its data to a file.
#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipOutput.h"

#include <string_view>

namespace zip {

constexpr size_t kMaxPathLength = 259;  // MAX_PATH less the terminator

struct ExtractRequest {
    Bytes archive;
    const Entry* entry = nullptr;
    FileTimes times;
    std::wstring_view baseFolder;  // ends in a separator, or empty for none
    std::wstring_view target;      // relative to baseFolder unless absolute
    std::string_view password;
    std::span<uint8_t> buffer;     // output chunks
    uint32_t* systemError = nullptr;  // when given: the system's error of a failed create or write
};

// Folders: Ok once ensured. Files: their folders are created when missing; CantOpen when the file cannot
// be created (or its path is too long), BadArchive for a relative target that would leave the base folder
// (nothing is written then), and the reader's and the writer's failures; a file that fails after it was
// created is removed again. An empty file is created and reported as Inflate, as callers expect.
Status ExtractEntry(const ExtractRequest& request, Output& output);

// Creates base when missing, then each folder of path under it, outermost first; failures are ignored.
void EnsureFolder(Output& output, std::wstring_view base, std::wstring_view path);

}  // namespace zip
