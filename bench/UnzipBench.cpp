// The reader's side of bench/unzip_bench.sh. Usage:
//   unzip_bench.exe unpack <archive> <output folder> [workers]  the launcher's unpacking path, timed inside
//   unzip_bench.exe inflate <archive> [runs] [workers]          raw inflate of every entry, memory to memory
//   unzip_bench.exe profile <archive> <scratch folder>          where the time of an unpack goes
#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipReader.h"
#include "unpack/zip/ZipWin32Output.h"

#include <atomic>
#include <thread>

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

// The launcher's unpacking path: the archive read in place, every entry written by ZipUnzipAll with
// the launcher's output. Returns seconds, or -1.
double Unpack(const std::vector<uint8_t>& archive, const std::wstring& folder, unsigned workers, uint64_t& bytes)
{
    const double start = Now();
    std::wstring own = folder;
    if (own.back() != L'\\')
        own += L'\\';
    zip::Win32Output output(own);
    const HZIP hz = ZipOpenMemoryWith(archive.data(), static_cast<unsigned>(archive.size()), nullptr, output);
    if (!hz || ZipSetBaseFolder(hz, folder.c_str()) != ZR_OK)
        return -1;
    ZipUnzipAllFailure failure;
    const ZRESULT zr = ZipUnzipAll(hz, workers, &failure);
    if (zr != ZR_OK) {
        std::fprintf(stderr, "unzip failed at %d: %lx\n", failure.index, zr);
        return -1;
    }
    const double seconds = Now() - start;
    ZipItem item;
    ZipGetItem(hz, -1, &item);
    bytes = 0;
    for (int i = 0, n = item.index; i < n; ++i)
        if (ZipGetItem(hz, i, &item) == ZR_OK)
            bytes += static_cast<uint64_t>(item.uncompressedSize);
    ZipClose(hz);
    return seconds;
}

// The limit: the same entries inflated (or copied, when stored) from memory into memory by as many
// threads as the unpack uses, largest first, no CRC, no files.
double InflateAll(const std::vector<uint8_t>& archive, unsigned workers, uint64_t& bytes)
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
    std::sort(entries.begin(), entries.end(), [](const zip::Entry& a, const zip::Entry& b) {
        return a.central.uncompressedSize > b.central.uncompressedSize;
    });
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        std::vector<uint8_t> out(largest + 1);
        for (size_t k; (k = next.fetch_add(1)) < entries.size();) {
            const zip::Entry& entry = entries[k];
            const zip::CentralRecord& c = entry.central;
            if (c.method == zip::kMethodStored) {
                std::memcpy(out.data(), archive.data() + entry.dataOffset, c.uncompressedSize);
                continue;
            }
            z_stream s{};
            inflateInit2(&s, -MAX_WBITS);
            s.next_in = const_cast<Bytef*>(archive.data() + entry.dataOffset);
            s.avail_in = c.compressedSize;
            s.next_out = out.data();
            s.avail_out = static_cast<uInt>(out.size());
            const int result = inflate(&s, Z_FINISH);
            inflateEnd(&s);
            if (result != Z_STREAM_END || s.total_out != c.uncompressedSize)
                failed = true;
        }
    };
    const double start = Now();
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workers; ++w)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    const double seconds = Now() - start;
    bytes = 0;
    for (const zip::Entry& entry : entries)
        bytes += entry.central.uncompressedSize;
    return failed ? -1 : seconds;
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
    const HZIP hzNull = ZipOpenMemoryWith(archive.data(), static_cast<unsigned>(archive.size()), nullptr, null);
    start = Now();
    for (int i = 0; i < count; ++i)
        ZipUnzipItem(hzNull, i, items[i].name);
    ZipClose(hzNull);
    std::printf("profile: unzip to no output (inflate + CRC + chunks): %.3f s\n", Now() - start);
    CreateDirectoryW(folder.c_str(), nullptr);
    TimingOutput timing;
    const HZIP hzTimed = ZipOpenMemoryWith(archive.data(), static_cast<unsigned>(archive.size()), nullptr, timing);
    ZipSetBaseFolder(hzTimed, (folder + L"\\timed\\").c_str());
    start = Now();
    for (int i = 0; i < count; ++i)
        ZipUnzipItem(hzTimed, i, items[i].name);
    ZipClose(hzTimed);
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
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (argc < 3 || (mode != L"unpack" && mode != L"inflate" && mode != L"profile")) {
        std::fprintf(stderr, "usage: unzip_bench unpack|inflate|profile <archive> ...\n");
        return 2;
    }
    const std::vector<uint8_t> archive = ReadArchive(argv[2]);
    if (archive.empty()) {
        std::fprintf(stderr, "cannot read the archive\n");
        return 1;
    }
    uint64_t bytes = 0;
    if (mode == L"unpack") {
        if (argc < 4)
            return 2;
        const unsigned workers = argc > 4 ? static_cast<unsigned>(_wtoi(argv[4])) : ZipDefaultWorkers();
        const double seconds = Unpack(archive, argv[3], workers, bytes);
        if (seconds < 0)
            return 1;
        std::printf("workers=%u\nbytes=%llu\nseconds=%.4f\n", workers, static_cast<unsigned long long>(bytes), seconds);
        return 0;
    }
    if (mode == L"inflate") {
        const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
        const unsigned workers = argc > 4 ? static_cast<unsigned>(_wtoi(argv[4])) : ZipDefaultWorkers();
        double best = 1e9;
        for (int run = 0; run < runs; ++run) {
            const double seconds = InflateAll(archive, workers, bytes);
            if (seconds < 0)
                return 1;
            best = std::min(best, seconds);
        }
        std::printf("workers=%u\nbytes=%llu\nseconds=%.4f\n", workers, static_cast<unsigned long long>(bytes), best);
        return 0;
    }
    if (argc < 4)
        return 2;
    CreateDirectoryW(argv[3], nullptr);
    Profile(archive, std::wstring(argv[3]));
    return 0;
}
