#pragma once
// What a built launcher carries, as the packer listed it when it made the archives
// (<launcher>.archives.txt beside the executable): never read back with our own zip reader, so a
// reader fault cannot hide behind its own expectations.
#include <windows.h>

#include <string>
#include <vector>

struct ArchiveEntry {
    std::wstring name;  // with backslashes, no trailing one for folders
    bool folder = false;
    LONG size = 0;
    DWORD crc = 0;
    WORD dosDate = 0;
    WORD dosTime = 0;
    DWORD attributes = 0;  // the DOS attributes stored for the entry
};

std::vector<ArchiveEntry> ListArchiveResource(const std::wstring& modulePath, const wchar_t* resourceName);

// The files (not folders) of the given archives, sorted.
std::vector<std::wstring> ArchiveFileNames(const std::wstring& modulePath, const std::vector<std::wstring>& resources);

// CRC-32 of a file's content (the system's own routine, not zlib's), or 0 when it cannot be read.
DWORD FileCrc32(const std::wstring& path);

// Every file below folder as a relative path, sorted.
std::vector<std::wstring> FilesBelow(const std::wstring& folder);

// The names directly inside folder (which ends in a backslash).
std::vector<std::wstring> FolderNames(const std::wstring& folder);
