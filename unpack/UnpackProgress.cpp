#include "unpack/UnpackProgress.h"

#include "unpack/zip/ZipReader.h"

namespace {

class ProgressFile final : public zip::OutputFile {
public:
    ProgressFile(std::unique_ptr<zip::OutputFile> inner, UnpackProgress& progress)
        : m_inner(std::move(inner)), m_progress(progress)
    {
    }
    bool Write(std::span<const uint8_t> data) override
    {
        const bool ok = m_inner->Write(data);
        if (ok)
            m_progress.OnBytesWritten(data.size());
        return ok;
    }
    void SetTimes(const zip::FileTimes& times) override { m_inner->SetTimes(times); }

private:
    std::unique_ptr<zip::OutputFile> m_inner;
    UnpackProgress& m_progress;
};

}  // namespace

std::unique_ptr<zip::OutputFile> ProgressOutput::CreateOutputFile(const std::wstring& path, uint32_t attr,
                                                                  bool& folderMissing)
{
    std::unique_ptr<zip::OutputFile> file = m_inner.CreateOutputFile(path, attr, folderMissing);
    if (!file)
        return nullptr;
    return std::make_unique<ProgressFile>(std::move(file), m_progress);
}

uint64_t UnpackedSizeOfArchive(HMODULE hModule, const wchar_t* pszName)
{
    HRSRC hrsrc = FindResourceW(hModule, pszName, L"FILE");
    HGLOBAL hglob = hrsrc ? LoadResource(hModule, hrsrc) : nullptr;
    const void* data = hglob ? LockResource(hglob) : nullptr;
    HZIP hz = data ? ZipOpenMemory(data, SizeofResource(hModule, hrsrc), nullptr) : nullptr;
    if (!hz)
        return 0;
    uint64_t total = 0;
    ZipItem item;
    if (ZipGetItem(hz, -1, &item) == ZR_OK) {
        const int count = item.index;
        for (int i = 0; i < count && ZipGetItem(hz, i, &item) == ZR_OK; ++i) {
            if (item.uncompressedSize > 0)
                total += static_cast<uint64_t>(item.uncompressedSize);
        }
    }
    ZipClose(hz);
    return total;
}
