#include "support/LauncherArchives.h"

#include "support/ScratchFolder.h"

#include <algorithm>
#include <sstream>

namespace {

std::wstring FromUtf8(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

}  // namespace

std::vector<ArchiveEntry> ListArchiveResource(const std::wstring& modulePath, const wchar_t* resourceName)
{
    std::vector<ArchiveEntry> entries;
    const std::wstring listPath = modulePath.substr(0, modulePath.rfind(L'.')) + L".archives.txt";
    std::istringstream in(ReadWholeFile(listPath));
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 8 || FromUtf8(fields[0]) != resourceName)
            continue;
        ArchiveEntry e;
        e.name = FromUtf8(fields[1]);
        std::replace(e.name.begin(), e.name.end(), L'/', L'\\');
        if (!e.name.empty() && e.name.back() == L'\\')
            e.name.pop_back();
        e.folder = fields[2] == "1";
        e.size = std::stol(fields[3]);
        e.crc = static_cast<DWORD>(std::stoul(fields[4], nullptr, 16));
        e.dosDate = static_cast<WORD>(std::stoul(fields[5]));
        e.dosTime = static_cast<WORD>(std::stoul(fields[6]));
        e.attributes = static_cast<DWORD>(std::stoul(fields[7]));
        entries.push_back(e);
    }
    return entries;
}

DWORD FileCrc32(const std::wstring& path)
{
    using CrcFn = DWORD(WINAPI*)(DWORD, const BYTE*, INT);
    static const auto pfnCrc = reinterpret_cast<CrcFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlComputeCrc32")));
    if (!pfnCrc)
        return 0;
    const std::string content = ReadWholeFile(path);
    return pfnCrc(0, reinterpret_cast<const BYTE*>(content.data()), static_cast<INT>(content.size()));
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
