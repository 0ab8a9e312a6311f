// Mutation run: valid archives from the builder and from third-party tools, damaged in many seeded ways,
// each opened, listed and unzipped in process. Nothing may crash, hang, overrun the buffer (it lies
// against a no-access page), return an unlisted code, or write outside the base folder.
// ZIP_MUTATION_SEED and ZIP_MUTATIONS override the seed and the count. The seeds are free of random
// encryption headers (the encrypted one is built here), so a run is the same for the same seed.
#include "ZipBuilder.h"
#include "ZipTestFiles.h"

#include "unpack/zip/ZipOutput.h"
#include "unpack/zip/ZipReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <span>

namespace {

constexpr ZRESULT kListed[] = {ZR_OK, ZR_CANTOPEN, ZR_WRITEERR, ZR_BADARCHIVE, ZR_READERR,
                               ZR_BADPASSWORD, ZR_BADARGS, ZR_WRONGMODE, ZR_INFLATE};
constexpr int kRealLayerEvery = 16;  // the rest go to memory: the file system under Wine is slow
constexpr int kMaxListed = 300;      // a mutated count may claim 65,535 entries

bool IsListed(ZRESULT zr) { return std::find(std::begin(kListed), std::end(kListed), zr) != std::end(kListed); }

struct Seed {
    std::string name;
    std::vector<uint8_t> bytes;
    const char* password = nullptr;
};

std::vector<Seed> LoadSeeds()
{
    std::vector<Seed> seeds;
    auto built = [&](const char* name, const BuiltZip& zip) { seeds.push_back({name, zip.bytes}); };
    BuildEntry folder{.name = "f/", .data = "", .externalAttr = (040755u << 16) | 0x10};
    BuildEntry text{.name = "f/text.txt", .data = std::string(300, 't') + "end", .deflate = true};
    text.localExtra = ExtendedTimestamp(3, {1614834368, 1600000000});
    BuildEntry stored{.name = "f/g/stored.bin", .data = "0123456789abcdef"};
    BuildEntry empty{.name = "empty", .data = ""};
    BuildEntry streamed{.name = "streamed.txt", .data = std::string(200, 's'), .deflate = true, .descriptor = true};
    BuildEntry dos{.name = "DOS.TXT", .data = "dos", .versionMadeBy = 0x0014, .externalAttr = 0x21};
    built("built", BuildZip({folder, text, stored, empty, streamed, dos}));
    BuildEntry locked = text, lockedStream = streamed;
    locked.password = lockedStream.password = "secret";
    seeds.push_back({"built-encrypted", BuildZip({locked, lockedStream, stored}).bytes, "secret"});
    built("built-prefixed", BuildZip({text, stored, dos}, "a comment", std::string(40, 'J')));
    for (const auto& [file, password] : {std::pair{L"seed_infozip.zip", (const char*)nullptr},
                                         {L"seed_infozip_stream.zip", nullptr}, {L"seed_7z.zip", nullptr}, {L"seed_bsdtar.zip", nullptr},
                                         {L"seed_python.zip", nullptr}}) {
        Seed seed{std::string(file, file + wcslen(file)), ReadBytes(DataPath(file)), password};
        EXPECT_FALSE(seed.bytes.empty()) << seed.name;
        if (!seed.bytes.empty())
            seeds.push_back(std::move(seed));
    }
    return seeds;
}

// The archive copied against a no-access page: right after its last byte, or right before its first.
class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t capacity)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        m_nPage = info.dwPageSize;
        m_nData = (capacity + m_nPage - 1) / m_nPage * m_nPage;
        m_pBase = static_cast<uint8_t*>(VirtualAlloc(nullptr, m_nData + 2 * m_nPage, MEM_RESERVE | MEM_COMMIT,
                                                     PAGE_READWRITE));
        DWORD old;
        VirtualProtect(m_pBase, m_nPage, PAGE_NOACCESS, &old);
        VirtualProtect(m_pBase + m_nPage + m_nData, m_nPage, PAGE_NOACCESS, &old);
    }
    ~GuardedBuffer() { VirtualFree(m_pBase, 0, MEM_RELEASE); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    const uint8_t* Place(const std::vector<uint8_t>& bytes, bool againstEnd)
    {
        uint8_t* start = m_pBase + m_nPage + (againstEnd ? m_nData - bytes.size() : 0);
        if (!bytes.empty())
            std::memcpy(start, bytes.data(), bytes.size());
        return start;
    }

private:
    size_t m_nPage = 4096, m_nData = 0;
    uint8_t* m_pBase = nullptr;
};

class Mutator {
public:
    explicit Mutator(uint64_t seed) : m_rng(seed) {}

    std::vector<uint8_t> Mutate(const std::vector<uint8_t>& seed)
    {
        std::vector<uint8_t> bytes = seed;
        const int rounds = 1 + static_cast<int>(Below(3));
        for (int r = 0; r < rounds && !bytes.empty(); ++r) {
            switch (Below(10)) {
            case 0: case 1: case 2: FlipBytes(bytes); break;
            case 3: bytes.resize(Below(bytes.size())); break;
            case 4: case 5: case 6: case 7: EditField(bytes); break;
            case 8: EditName(bytes); break;
            default: CopyRange(bytes); break;
            }
        }
        return bytes;
    }

private:
    uint64_t Below(uint64_t n) { return n == 0 ? 0 : m_rng() % n; }

    void FlipBytes(std::vector<uint8_t>& bytes)
    {
        for (int n = 1 + static_cast<int>(Below(8)); n > 0; --n)
            bytes[Below(bytes.size())] ^= static_cast<uint8_t>(1 + Below(255));
    }

    // A structural field of a local header, central record or end record set to an awkward value.
    void EditField(std::vector<uint8_t>& bytes)
    {
        struct Field {
            uint8_t offset, width;
        };
        static constexpr Field kLocal[] = {{6, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 4}, {18, 4}, {22, 4}, {26, 2}, {28, 2}};
        static constexpr Field kCentral[] = {{4, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 2}, {16, 4}, {20, 4}, {24, 4},
                                             {28, 2}, {30, 2}, {32, 2}, {38, 4}, {42, 4}};
        static constexpr Field kEnd[] = {{4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 4}, {16, 4}, {20, 2}};
        std::vector<std::pair<size_t, std::span<const Field>>> records;
        for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
            if (bytes[i] != 'P' || bytes[i + 1] != 'K')
                continue;
            if (bytes[i + 2] == 3 && bytes[i + 3] == 4)
                records.emplace_back(i, kLocal);
            else if (bytes[i + 2] == 1 && bytes[i + 3] == 2)
                records.emplace_back(i, kCentral);
            else if (bytes[i + 2] == 5 && bytes[i + 3] == 6)
                records.emplace_back(i, kEnd);
        }
        if (records.empty())
            return FlipBytes(bytes);
        const auto& [at, fields] = records[Below(records.size())];
        const Field field = fields[Below(fields.size())];
        if (at + field.offset + field.width > bytes.size())
            return;
        uint32_t old = 0;
        for (int b = field.width - 1; b >= 0; --b)
            old = old << 8 | bytes[at + field.offset + b];
        const uint32_t size = static_cast<uint32_t>(bytes.size());
        const uint32_t choices[] = {0, 1, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                                    size, size - 1, size + 1, old + 1, old - 1, old ^ 0x8000, static_cast<uint32_t>(m_rng())};
        const uint32_t value = choices[Below(std::size(choices))];
        for (int b = 0; b < field.width; ++b)
            bytes[at + field.offset + b] = static_cast<uint8_t>(value >> (8 * b));
    }

    // Hostile fragments written over name bytes (of one record, so local and central may disagree).
    void EditName(std::vector<uint8_t>& bytes)
    {
        static const std::string kFragments[] = {"../", "..\\", "/", "\\", ":", "C:", "CON", "nul.", "\x01",
                                                  "...", ".. ", "\xc0\xae", "\0"};
        std::vector<size_t> names;
        for (size_t i = 0; i + 46 <= bytes.size(); ++i) {
            if (bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == 1 && bytes[i + 3] == 2)
                names.push_back(i + 46);
            if (bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == 3 && bytes[i + 3] == 4)
                names.push_back(i + 30);
        }
        if (names.empty())
            return FlipBytes(bytes);
        const std::string& fragment = kFragments[Below(std::size(kFragments))];
        const size_t at = names[Below(names.size())] + Below(4);
        for (size_t k = 0; k < std::max<size_t>(fragment.size(), 1) && at + k < bytes.size(); ++k)
            bytes[at + k] = fragment.empty() ? 0 : static_cast<uint8_t>(fragment[k]);
    }

    void CopyRange(std::vector<uint8_t>& bytes)
    {
        const size_t from = Below(bytes.size()), to = Below(bytes.size());
        const size_t length = std::min<size_t>(1 + Below(64), bytes.size() - std::max(from, to));
        std::memmove(bytes.data() + to, bytes.data() + from, length);
    }

    std::mt19937_64 m_rng;
};

bool IsDevice(std::wstring component)
{
    component = component.substr(0, component.find(L'.'));
    while (!component.empty() && component.back() == L' ')
        component.pop_back();
    for (auto& c : component)
        c = static_cast<wchar_t>(towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (component == device)
            return true;
    return component.size() == 4 && (component.starts_with(L"COM") || component.starts_with(L"LPT")) &&
           component[3] >= L'1' && component[3] <= L'9';
}

// Checks every path the unzip step asks for, with Windows' own idea of where it lands.
class CheckingMemoryOutput final : public zip::Output {
public:
    explicit CheckingMemoryOutput(std::wstring base) : m_strBase(std::move(base)) {}
    bool Exists(const std::wstring& path) override { return Check(path), false; }
    void CreateFolder(const std::wstring& path) override { Check(path); }
    std::unique_ptr<zip::OutputFile> CreateOutputFile(const std::wstring& path, uint32_t, bool& folderMissing) override
    {
        Check(path);
        folderMissing = m_bMissing = !m_bMissing;  // every other file goes through the folder creation
        if (folderMissing)
            return nullptr;
        class Sink final : public zip::OutputFile {
        public:
            bool Write(std::span<const uint8_t>) override { return true; }
            void SetTimes(const zip::FileTimes&) override {}
        };
        return std::make_unique<Sink>();
    }
    int Violations() const { return m_nViolations; }

private:
    void Check(const std::wstring& path)
    {
        bool inside = path.starts_with(m_strBase);
        wchar_t full[MAX_PATH * 2];
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
        const std::wstring resolved(full, length < std::size(full) ? length : 0);
        // "base\." resolves to the base folder itself, which is inside.
        inside = inside && (resolved.starts_with(m_strBase) || resolved + L"\\" == m_strBase);
        const std::wstring rest = path.substr(std::min(path.size(), m_strBase.size()));
        size_t start = 0;
        while (inside && start <= rest.size()) {
            const size_t end = std::min(rest.find_first_of(L"\\/", start), rest.size());
            const std::wstring component = rest.substr(start, end - start);
            inside = component != L".." && component.find(L':') == std::wstring::npos && !IsDevice(component);
            start = end + 1;
        }
        if (!inside && m_nViolations++ < 5)
            ADD_FAILURE() << "outside the base folder: " << testing::PrintToString(path);
    }

    std::wstring m_strBase;
    int m_nViolations = 0;
    bool m_bMissing = false;
};

uint64_t EnvNumber(const char* name, uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

}  // namespace

TEST(ZipMutationTest, DamagedArchivesFailCleanly)
{
    const uint64_t seedValue = EnvNumber("ZIP_MUTATION_SEED", 20240917);
    const uint64_t iterations = EnvNumber("ZIP_MUTATIONS", 100000);
    const std::vector<Seed> seeds = LoadSeeds();
    ASSERT_EQ(8u, seeds.size());
    size_t largest = 0;
    for (const Seed& seed : seeds)
        largest = std::max(largest, seed.bytes.size());
    GuardedBuffer guarded(largest);

    ScratchFolder scratch(L"mutation");
    const std::wstring base = scratch.Path() + L"deep\\base\\";
    CreateDirectoryW((scratch.Path() + L"deep").c_str(), nullptr);
    CheckingMemoryOutput memory(base);

    Mutator mutator(seedValue);
    std::map<ZRESULT, uint64_t> results;
    uint64_t opened = 0, realUnzips = 0, unlisted = 0;
    LARGE_INTEGER frequency, started, stopped;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    for (uint64_t n = 0; n < iterations; ++n) {
        const Seed& seed = seeds[n % seeds.size()];
        const std::vector<uint8_t> bytes = mutator.Mutate(seed.bytes);
        const uint8_t* buffer = guarded.Place(bytes, n % 2 == 0);
        const bool useReal = n % kRealLayerEvery == 0;
        const unsigned size = static_cast<unsigned>(bytes.size());
        const HZIP hz = useReal ? ZipOpenMemory(buffer, size, seed.password)
                                : ZipOpenMemoryWith(buffer, size, seed.password, memory);
        if (!hz)
            continue;
        ++opened;
        EXPECT_EQ(ZR_OK, ZipSetBaseFolder(hz, base.c_str()));
        auto record = [&](ZRESULT zr, const char* what) {
            ++results[zr];
            if (!IsListed(zr) && unlisted++ < 5)
                ADD_FAILURE() << what << " returned " << std::hex << zr << " (seed " << std::dec << seedValue
                              << ", iteration " << n << ")";
        };
        ZipItem item;
        record(ZipGetItem(hz, -1, &item), "get -1");
        const int count = item.index;
        for (int i = 0; i < std::min(count, kMaxListed); ++i) {
            const ZRESULT got = ZipGetItem(hz, i, &item);
            record(got, "get");
            if (got == ZR_OK && std::find(std::begin(item.name), std::end(item.name), L'\0') == std::end(item.name))
                ADD_FAILURE() << "unterminated name at iteration " << n;
            const wchar_t* target = got == ZR_OK ? item.name : L"fallback.bin";
            record(ZipUnzipItem(hz, i, target), "unzip");
            realUnzips += useReal;
        }
        if (count > kMaxListed)
            record(ZipGetItem(hz, count - 1, &item), "get last");
        record(ZipClose(hz), "close");
    }
    QueryPerformanceCounter(&stopped);
    const double seconds = double(stopped.QuadPart - started.QuadPart) / double(frequency.QuadPart);

    EXPECT_EQ(0u, unlisted);
    EXPECT_EQ(0, memory.Violations());
    // Through the real file system: nothing beside the base folder in the two folders above it.
    for (const auto& [path, attr] : ListTree(scratch.Path()))
        EXPECT_TRUE(path == L"deep\\" || path.starts_with(L"deep\\base\\")) << testing::PrintToString(path);

    std::printf("[ mutation ] %llu mutated archives (seed %llu) in %.1f s: %llu opened, %llu unzips through the "
                "file system\n",
                static_cast<unsigned long long>(iterations), static_cast<unsigned long long>(seedValue), seconds,
                static_cast<unsigned long long>(opened), static_cast<unsigned long long>(realUnzips));
    std::printf("[ mutation ] results:");
    for (const auto& [zr, times] : results)
        std::printf(" %lx x %llu,", zr, static_cast<unsigned long long>(times));
    std::printf("\n");
    EXPECT_GT(opened, iterations / 4);
    EXPECT_GT(results[ZR_OK], iterations);
}
