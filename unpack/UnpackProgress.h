#pragma once
// Tells an observer how far the unpacking has come, while it runs.
#include "unpack/zip/ZipOutput.h"

#include <windows.h>

#include <cstdint>

class UnpackProgress {
public:
    virtual ~UnpackProgress() = default;
    // An archive begins.
    virtual void OnArchiveStarted(const wchar_t* pszName) = 0;
    // nBytes more of the unpacked data are on disk. Called on the thread that writes them.
    virtual void OnBytesWritten(uint64_t nBytes) = 0;
};

// The unpacked size of the named archive of hModule; 0 when it is missing or unreadable.
uint64_t UnpackedSizeOfArchive(HMODULE hModule, const wchar_t* pszName);

// A file-system output that reports every write to an observer.
class ProgressOutput final : public zip::Output {
public:
    ProgressOutput(zip::Output& inner, UnpackProgress& progress) : m_inner(inner), m_progress(progress) {}

    bool Exists(const std::wstring& path) override { return m_inner.Exists(path); }
    void CreateFolder(const std::wstring& path) override { m_inner.CreateFolder(path); }
    std::unique_ptr<zip::OutputFile> CreateOutputFile(const std::wstring& path, uint32_t attr,
                                                      bool& folderMissing) override;
    void RemoveFile(const std::wstring& path) override { m_inner.RemoveFile(path); }
    uint32_t LastSystemError() override { return m_inner.LastSystemError(); }
    std::wstring CurrentFolder() override { return m_inner.CurrentFolder(); }
    uint64_t DosTimeToFileTime(uint16_t dosDate, uint16_t dosTime) override
    {
        return m_inner.DosTimeToFileTime(dosDate, dosTime);
    }

private:
    zip::Output& m_inner;
    UnpackProgress& m_progress;
};
