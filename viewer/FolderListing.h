#pragma once
// The files that were unpacked next to the viewer: a recursive listing of one folder.
#include <cstdint>
#include <string>
#include <vector>

namespace tavisk {

struct ListedFile {
    std::wstring relativePath;  // "ZoltSDK\zoltmux.ax"
    std::uint64_t size = 0;
};

struct FolderListing {
    std::vector<ListedFile> files;  // sorted by path, case-insensitively
    bool truncated = false;         // more than the limit were found
};

constexpr size_t kMaxListedFiles = 2000;

// Lists every file below the folder (which ends with a backslash). Linked folders (junctions and
// symbolic links) are not entered, so a link can neither loop nor list the whole disk.
FolderListing ListFolderFiles(const std::wstring& folder, size_t maxFiles = kMaxListedFiles);

}  // namespace tavisk
