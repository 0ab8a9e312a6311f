// Times the zip reader's unzip of a whole archive into a folder against the raw inflate of the same
// entries from memory to memory (zlib alone, no CRC, no files) in the same process.
// Usage: unzip_bench.exe <archive> <output folder> [runs]
#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipReader.h"
#include "unpack/zip/ZipReaderState.h"
#include "unpack/zip/ZipWin32Output.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

std::vector<uint8_t> ReadArchive(const wchar_t* path)
{
    std::vector<uint8_t> bytes;
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// (a): every entry through the reader into folder, as the launcher unpacks. Returns seconds, or -1.
double UnzipAll(const std::vector<uint8_t>& archive, const std::wstring& folder, uint64_t& bytes)
{
    const double start = Now();
    const HZIP hz = ZipOpenMemory(archive.data(), static_cast<unsigned>(archive.size()), nullptr);
    if (!hz || ZipSetBaseFolder(hz, folder.c_str()) != ZR_OK)
        return -1;
    ZipItem item;
    ZipGetItem(hz, -1, &item);
    const int count = item.index;
    bytes = 0;
    for (int i = 0; i < count; ++i) {
        if (ZipGetItem(hz, i, &item) != ZR_OK)
            return -1;
        const ZRESULT zr = ZipUnzipItem(hz, i, item.name);
        if (zr != ZR_OK && !(zr == ZR_INFLATE && item.uncompressedSize == 0)) {
            std::fprintf(stderr, "unzip %d failed: %lx\n", i, zr);
            return -1;
        }
        bytes += static_cast<uint64_t>(item.uncompressedSize);
    }
    ZipClose(hz);
    return Now() - start;
}

// (b): the same entries inflated (or copied, when stored) from memory into one buffer.
double InflateAll(const std::vector<uint8_t>& archive, uint64_t& bytes)
{
    const zip::Bytes view(archive.data(), archive.size());
    const auto directory = zip::FindCentralDirectory(view);
    if (!directory)
        return -1;
    std::vector<zip::Entry> entries;
    size_t offset = directory->firstRecord, largest = 0;
    for (uint32_t i = 0; i < directory->entryCount; ++i) {
        zip::CentralRecord record;
        zip::Entry entry;
        if (zip::ReadCentralRecord(view, offset, record) != zip::Status::Ok ||
            zip::ReadEntry(view, *directory, record, entry) != zip::Status::Ok)
            return -1;
        offset += record.RecordSize();
        largest = std::max<size_t>(largest, record.uncompressedSize);
        entries.push_back(std::move(entry));
    }
    std::vector<uint8_t> out(largest + 1);
    const double start = Now();
    bytes = 0;
    for (const zip::Entry& entry : entries) {
        const zip::CentralRecord& c = entry.central;
        if (c.method == zip::kMethodStored) {
            std::memcpy(out.data(), archive.data() + entry.dataOffset, c.uncompressedSize);
        } else {
            z_stream s{};
            inflateInit2(&s, -MAX_WBITS);
            s.next_in = const_cast<Bytef*>(archive.data() + entry.dataOffset);
            s.avail_in = c.compressedSize;
            s.next_out = out.data();
            s.avail_out = static_cast<uInt>(out.size());
            const int result = inflate(&s, Z_FINISH);
            inflateEnd(&s);
            if (result != Z_STREAM_END || s.total_out != c.uncompressedSize)
                return -1;
        }
        bytes += c.uncompressedSize;
    }
    return Now() - start;
}

// Where the time of (a) goes: the reader writing nowhere, the file system calls alone.
class NullOutput final : public zip::Output {
public:
    bool Exists(const std::wstring&) override { return true; }
    void CreateFolder(const std::wstring&) override {}
    std::unique_ptr<zip::OutputFile> CreateOutputFile(const std::wstring&, uint32_t, bool& folderMissing) override
    {
        folderMissing = false;
        class Sink final : public zip::OutputFile {
        public:
            bool Write(std::span<const uint8_t>) override { return true; }
            void SetTimes(const zip::FileTimes&) override {}
        };
        return std::make_unique<Sink>();
    }
};

// The real output with the time of each kind of call added up.
class TimingOutput final : public zip::Output {
public:
    enum { kExists, kCreateFolder, kCreateFile, kWrite, kSetTimes, kClose, kKinds };
    double m_seconds[kKinds] = {};
    long m_calls[kKinds] = {};

    template <class F>
    auto Timed(int kind, F&& f)
    {
        const double start = Now();
        auto result = f();
        m_seconds[kind] += Now() - start;
        ++m_calls[kind];
        return result;
    }


    bool Exists(const std::wstring& path) override { return Timed(kExists, [&] { return m_real.Exists(path); }); }
    void CreateFolder(const std::wstring& path) override
    {
        Timed(kCreateFolder, [&] { return m_real.CreateFolder(path), true; });
    }
    std::unique_ptr<zip::OutputFile> CreateOutputFile(const std::wstring& path, uint32_t attr, bool& missing) override
    {
        auto file = Timed(kCreateFile, [&] { return m_real.CreateOutputFile(path, attr, missing); });
        if (!file)
            return nullptr;
        class File final : public zip::OutputFile {
        public:
            File(TimingOutput& owner, std::unique_ptr<zip::OutputFile> real) : m_owner(owner), m_real(std::move(real)) {}
            ~File() override
            {
                m_owner.Timed(kClose, [&] { return m_real.reset(), true; });
            }
            bool Write(std::span<const uint8_t> data) override
            {
                return m_owner.Timed(kWrite, [&] { return m_real->Write(data); });
            }
            void SetTimes(const zip::FileTimes& times) override
            {
                m_owner.Timed(kSetTimes, [&] { return m_real->SetTimes(times), true; });
            }

        private:
            TimingOutput& m_owner;
            std::unique_ptr<zip::OutputFile> m_real;
        };
        return std::make_unique<File>(*this, std::move(file));
    }

private:
    zip::Win32Output m_real;
};

void Profile(const std::vector<uint8_t>& archive, const std::wstring& folder)
{
    const HZIP hz = ZipOpenMemory(archive.data(), static_cast<unsigned>(archive.size()), nullptr);
    ZipItem item;
    ZipGetItem(hz, -1, &item);
    const int count = item.index;
    std::vector<ZipItem> items(count);
    double start = Now();
    for (int i = 0; i < count; ++i)
        ZipGetItem(hz, i, &items[i]);
    std::printf("profile: get item x %d: %.3f s\n", count, Now() - start);
    NullOutput null;
    start = Now();
    for (int i = 0; i < count; ++i)
        ZipUnzipItemTo(hz, i, items[i].name, null);
    std::printf("profile: unzip to no output (inflate + CRC + chunks): %.3f s\n", Now() - start);
    CreateDirectoryW(folder.c_str(), nullptr);
    TimingOutput timing;
    ZipSetBaseFolder(hz, (folder + L"\\timed\\").c_str());
    start = Now();
    for (int i = 0; i < count; ++i)
        ZipUnzipItemTo(hz, i, items[i].name, timing);
    std::printf("profile: unzip to files %.3f s, of which:\n", Now() - start);
    const char* kinds[] = {"exists", "create folder", "create file", "write", "set times", "close"};
    for (int k = 0; k < TimingOutput::kKinds; ++k)
        std::printf("profile:   %-14s x %5ld: %.3f s\n", kinds[k], timing.m_calls[k], timing.m_seconds[k]);
    ZipClose(hz);

    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<uint8_t> chunk(16384, 'x');
    for (size_t size : {size_t{16384}, size_t{262144}}) {
        chunk.resize(size, 'x');
        const std::wstring path = folder + L"\\write-" + std::to_wstring(size) + L".bin";
        start = Now();
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        for (size_t total = 0; total < 104857600; total += size)
            WriteFile(file, chunk.data(), static_cast<DWORD>(size), &written, nullptr);
        CloseHandle(file);
        std::printf("profile: WriteFile 100 MiB in %zu-byte chunks: %.3f s\n", size, Now() - start);
    }
    start = Now();
    const FILETIME ft{0x12345678, 0x01d70000};
    for (int i = 0; i < count; ++i) {
        const std::wstring path = folder + L"\\f" + std::to_wstring(i);
        GetFileAttributesW(path.c_str());
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0x20, nullptr);
        SetFileTime(file, &ft, &ft, &ft);
        CloseHandle(file);
    }
    std::printf("profile: %d x (GetFileAttributes + CreateFile + SetFileTime + CloseHandle): %.3f s\n", count,
                Now() - start);
    start = Now();
    for (int i = 0; i < count; ++i)
        GetFileAttributesW((folder + L"\\f" + std::to_wstring(i)).c_str());
    std::printf("profile: %d x GetFileAttributes: %.3f s\n", count, Now() - start);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: unzip_bench <archive> <output folder> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    const std::vector<uint8_t> archive = ReadArchive(argv[1]);
    if (archive.empty()) {
        std::fprintf(stderr, "cannot read the archive\n");
        return 1;
    }
    CreateDirectoryW(argv[2], nullptr);
    double bestUnzip = 1e9, bestInflate = 1e9;
    uint64_t bytes = 0, inflated = 0;
    for (int run = 0; run < runs; ++run) {
        const std::wstring folder = std::wstring(argv[2]) + L"\\run" + std::to_wstring(run) + L"\\";
        const double unzip = UnzipAll(archive, folder, bytes);
        const double inflate = InflateAll(archive, inflated);
        if (unzip < 0 || inflate < 0) {
            std::fprintf(stderr, "run %d failed\n", run);
            return 1;
        }
        std::printf("run %d: reader %.3f s, raw inflate %.3f s\n", run, unzip, inflate);
        bestUnzip = std::min(bestUnzip, unzip);
        bestInflate = std::min(bestInflate, inflate);
    }
    if (argc > 4)
        Profile(archive, std::wstring(argv[2]) + L"\\profile");
    const double mb = double(bytes) / 1e6;
    std::printf("bytes=%llu\nreader_seconds=%.4f\nreader_mbps=%.1f\ninflate_seconds=%.4f\ninflate_mbps=%.1f\n",
                static_cast<unsigned long long>(bytes), bestUnzip, mb / bestUnzip, bestInflate,
                double(inflated) / 1e6 / bestInflate);
    return 0;
}
