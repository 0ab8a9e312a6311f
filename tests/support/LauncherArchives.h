#pragma once
// What a built launcher carries: the entries of its archive resources, read with our zip reader.
#include <windows.h>

#include <string>
#include <vector>

struct ArchiveEntry {
    std::wstring name;  // with backslashes
    bool folder;
    LONG size;
};

std::vector<ArchiveEntry> ListArchiveResource(const std::wstring& modulePath, const wchar_t* resourceName);

// The files (not folders) of the given archives, sorted.
std::vector<std::wstring> ArchiveFileNames(const std::wstring& modulePath, const std::vector<std::wstring>& resources);

// Every file below folder as a relative path, sorted.
std::vector<std::wstring> FilesBelow(const std::wstring& folder);

// The names directly inside folder (which ends in a backslash).
std::vector<std::wstring> FolderNames(const std::wstring& folder);
