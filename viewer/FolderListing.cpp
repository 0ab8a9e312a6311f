#include "viewer/FolderListing.h"

#include "viewer/Handles.h"

#include <windows.h>

#include <algorithm>

namespace tavisk {

namespace {

constexpr int kMaxDepth = 32;

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Returns false once the limit is reached.
bool Walk(const std::wstring& folder, const std::wstring& prefix, int depth, size_t maxFiles, FolderListing& out)
{
    WIN32_FIND_DATAW data;
    FindHandle search(::FindFirstFileExW((folder + prefix + L"*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, 0));
    if (!search)
        return true;
    std::vector<std::wstring> subfolders;
    do {
        if (IsDotEntry(data.cFileName))
            continue;
        const std::wstring relative = prefix + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                subfolders.push_back(relative + L"\\");
            continue;
        }
        if (out.files.size() >= maxFiles) {
            out.truncated = true;
            return false;
        }
        out.files.push_back({relative, (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (::FindNextFileW(search.Get(), &data));
    search.Reset();  // one open search at a time, however deep the tree

    for (const std::wstring& sub : subfolders) {
        if (depth + 1 >= kMaxDepth) {
            out.truncated = true;
            continue;
        }
        if (!Walk(folder, sub, depth + 1, maxFiles, out))
            return false;
    }
    return true;
}

}  // namespace

FolderListing ListFolderFiles(const std::wstring& folder, size_t maxFiles)
{
    FolderListing listing;
    Walk(folder, L"", 0, maxFiles, listing);
    std::sort(listing.files.begin(), listing.files.end(), [](const ListedFile& a, const ListedFile& b) {
        const int order = ::CompareStringOrdinal(a.relativePath.c_str(), -1, b.relativePath.c_str(), -1, TRUE);
        return order == CSTR_LESS_THAN;
    });
    return listing;
}

}  // namespace tavisk
