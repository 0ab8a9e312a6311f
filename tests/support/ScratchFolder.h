#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.
#include <windows.h>

#include <string>

class ScratchFolder {
public:
    // Creates %TEMP%\<prefix><pid>-<counter>\ (or under parent when given).
    explicit ScratchFolder(const std::wstring& prefix = L"lumbra-test-", const std::wstring& parent = {});
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with a trailing backslash.
    const std::wstring& path() const { return m_path; }
    std::wstring operator/(const std::wstring& relative) const { return m_path + relative; }

private:
    std::wstring m_path;
};

// Test file helpers.
bool WriteTextFile(const std::wstring& path, const std::string& content);
std::string ReadWholeFile(const std::wstring& path);
bool PathExists(const std::wstring& path);
// Removes a tree for test clean-up: read-only bits cleared, links removed without being followed.
void RemoveTreeForTest(const std::wstring& folder);
