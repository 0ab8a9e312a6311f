#pragma once
// File-system helpers of the zip tests: the archives the fixture wrote, scratch folders, reading back.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Windows path of a file in the fixture's data folder (ZIP_TEST_DATA, a Linux path seen through Z:).
std::wstring DataPath(const std::wstring& name);

std::vector<uint8_t> ReadBytes(const std::wstring& path);  // empty when missing

// Relative path -> attributes of everything below folder ("\\"-separated, folders end in "\\").
std::map<std::wstring, DWORD> ListTree(const std::wstring& folder);

// Removes a tree, read-only files included.
void RemoveTree(const std::wstring& folder);

// A fresh, empty folder under %TEMP% (ending in "\\"), removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* tag);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_strPath; }

private:
    std::wstring m_strPath;
};
