#pragma once
// Scratch folders, files and paths for the viewer tests.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace viewer_test {

// "/work/build/bin" (as CMake and the test environment give it) -> "Z:\work\build\bin\".
std::wstring WindowsFolder(const std::string& unixOrWindowsPath);

// Folder of the built executables (LUMBRA_BIN) and of the language libraries, ending with "\".
std::wstring BinFolder();
std::wstring LanguageFolder();

// A fresh folder under %TEMP% that is removed with everything in it at the end of the test.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }  // ends with "\"

private:
    std::wstring m_path;
};

void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
std::string ReadBytes(const std::wstring& path);  // empty when missing
std::uint64_t SizeOf(const std::wstring& path);

// Removes a tree as the launcher does; false when anything could not be removed.
bool DeleteTree(const std::wstring& folder);

// True when the file can be opened without sharing, i.e. nobody else holds it open.
bool OpenedByNobody(const std::wstring& path);

std::wstring Widen(const std::string& utf8);

}  // namespace viewer_test
