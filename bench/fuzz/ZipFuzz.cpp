// Fuzz target: the zip reader built natively (no Windows), fed any bytes as an archive. It lists and
// unzips every entry through an output that keeps nothing but checks every path, once entry by entry
// and once as a whole on worker threads, without and with a password. Built with address and
// undefined-behaviour checks by bench/fuzz_zip.sh.
#include "unpack/zip/ZipOutput.h"
#include "unpack/zip/ZipReader.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::wstring kBase = L"/fuzz/base/";
constexpr const char* kPassword = "secret";  // the password of the encrypted seeds

// Every path must lie below the base folder (or be one of the folders on the way to it) and hold no
// parent step; anything else is an escape and ends the run.
void CheckPath(const std::wstring& path)
{
    const bool below = path.size() > kBase.size() && path.compare(0, kBase.size(), kBase) == 0;
    const bool onTheWay = kBase.compare(0, path.size(), path) == 0;
    bool parentStep = false;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const bool starts = i == 0 || path[i - 1] == L'/' || path[i - 1] == L'\\';
        const bool ends = i + 2 == path.size() || path[i + 2] == L'/' || path[i + 2] == L'\\';
        if (starts && ends && path[i] == L'.' && path[i + 1] == L'.')
            parentStep = true;
    }
    if ((!below && !onTheWay) || parentStep) {
        std::fprintf(stderr, "path outside the base folder: ");
        for (wchar_t c : path)
            std::fputc(c < 0x80 ? static_cast<int>(c) : '?', stderr);
        std::fputc('\n', stderr);
        std::abort();
    }
}

class CheckingOutput final : public zip::Output {
public:
    bool Exists(const std::wstring& path) override { return CheckPath(path), false; }
    void CreateFolder(const std::wstring& path) override { CheckPath(path); }
    std::unique_ptr<zip::OutputFile> CreateOutputFile(const std::wstring& path, uint32_t, bool& folderMissing) override
    {
        CheckPath(path);
        folderMissing = false;
        return std::make_unique<Sink>(m_nBytes);
    }
    void RemoveFile(const std::wstring& path) override { CheckPath(path); }

private:
    class Sink final : public zip::OutputFile {
    public:
        explicit Sink(std::atomic<uint64_t>& bytes) : m_nBytes(bytes) {}
        bool Write(std::span<const uint8_t> data) override
        {
            // The archive is small: no more than its entries' sizes (2 GiB each at most) may come out of it.
            if (m_nBytes.fetch_add(data.size()) > (uint64_t{1} << 33)) {
                std::fprintf(stderr, "far more output than any entry may hold\n");
                std::abort();
            }
            return true;
        }
        void SetTimes(const zip::FileTimes&) override {}

    private:
        std::atomic<uint64_t>& m_nBytes;
    };
    std::atomic<uint64_t> m_nBytes{0};
};

void UnzipEachEntry(const uint8_t* data, size_t size, const char* password)
{
    CheckingOutput output;
    const HZIP hz = ZipOpenMemoryWith(data, static_cast<unsigned>(size), password, output);
    if (!hz)
        return;
    ZipSetBaseFolder(hz, kBase.c_str());
    ZipItem item;
    ZipGetItem(hz, -1, &item);
    const int count = item.index;
    for (int i = 0; i < count; ++i) {
        const bool listed = ZipGetItem(hz, i, &item) == ZR_OK;
        ZipUnzipItem(hz, i, listed ? item.name : L"fallback.bin");
    }
    ZipClose(hz);
}

void UnzipAll(const uint8_t* data, size_t size, const char* password)
{
    CheckingOutput output;
    const HZIP hz = ZipOpenMemoryWith(data, static_cast<unsigned>(size), password, output);
    if (!hz)
        return;
    ZipSetBaseFolder(hz, kBase.c_str());
    ZipUnzipAllFailure failure;
    ZipUnzipAll(hz, 2, &failure);
    ZipClose(hz);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    UnzipEachEntry(data, size, nullptr);
    UnzipEachEntry(data, size, kPassword);
    // Starting threads costs more than most inputs: every eighth input (by its size) goes through the
    // parallel path too.
    if (size % 8 == 0)
        UnzipAll(data, size, nullptr);
    return 0;
}
