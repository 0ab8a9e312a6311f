#include "support/LauncherArchives.h"

#include "unpack/zip/ZipReader.h"

#include <algorithm>

std::vector<ArchiveEntry> ListArchiveResource(const std::wstring& modulePath, const wchar_t* resourceName)
{
    std::vector<ArchiveEntry> entries;
    HMODULE module = LoadLibraryExW(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return entries;
    if (HRSRC res = FindResourceW(module, resourceName, L"FILE")) {
        const void* data = LockResource(LoadResource(module, res));
        HZIP hz = ZipOpenMemory(data, SizeofResource(module, res), nullptr);
        ZipItem item;
        if (hz && ZipGetItem(hz, -1, &item) == ZR_OK) {
            const int count = item.index;
            for (int i = 0; i < count && ZipGetItem(hz, i, &item) == ZR_OK; ++i) {
                std::wstring name = item.name;
                std::replace(name.begin(), name.end(), L'/', L'\\');
                entries.push_back({name, (item.attr & FILE_ATTRIBUTE_DIRECTORY) != 0, item.uncompressedSize});
            }
        }
        if (hz)
            ZipClose(hz);
    }
    FreeLibrary(module);
    return entries;
}

std::vector<std::wstring> ArchiveFileNames(const std::wstring& modulePath, const std::vector<std::wstring>& resources)
{
    std::vector<std::wstring> names;
    for (const std::wstring& resource : resources)
        for (const ArchiveEntry& e : ListArchiveResource(modulePath, resource.c_str()))
            if (!e.folder)
                names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

void CollectFiles(const std::wstring& folder, const std::wstring& relative, std::vector<std::wstring>& out)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + relative + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder, relative + name + L"\\", out);
        else
            out.push_back(relative + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

std::vector<std::wstring> FilesBelow(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    CollectFiles(folder, L"", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::wstring> FolderNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}
