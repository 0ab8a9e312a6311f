#include "pack/PayloadFolder.h"

#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipNames.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

namespace pack {
namespace {

constexpr std::array<std::wstring_view, 18> kLanguageCodes{L"CS", L"DA", L"DE", L"EL", L"EN", L"ES", L"FI", L"FR", L"HU",
                                                           L"IT", L"JP", L"NL", L"NO", L"PL", L"PT", L"RU", L"SV", L"TR"};
constexpr std::array<std::wstring_view, 3> kFixedArchives{L"ZOLT", L"VC", L"RUNTIME"};

// One fixed time for every entry unless the maker keeps the files' own: 15 October 2018, 12:00:00.
constexpr uint16_t kFixedDosDate = (2018 - 1980) << 9 | 10 << 5 | 15;
constexpr uint16_t kFixedDosTime = 12 << 11;

std::string Utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The folder as an absolute path that the file functions take beyond MAX_PATH characters.
std::wstring LongPath(const std::wstring& folder)
{
    if (folder.rfind(L"\\\\?\\", 0) == 0)
        return folder;
    const DWORD n = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return folder;
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(folder.c_str(), n, full.data(), nullptr));
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// A path as the maker wrote it, for messages.
std::wstring Shown(const std::wstring& path)
{
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0)
        return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0)
        return path.substr(4);
    return path;
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& data, FILETIME& writeTime)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(h, &size) && static_cast<uint64_t>(size.QuadPart) < kMaxZipBytes &&
              GetFileTime(h, nullptr, nullptr, &writeTime);
    if (ok) {
        data.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < data.size()) {
            DWORD read = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
            ok = ReadFile(h, data.data() + done, chunk, &read, nullptr) && read > 0;
            done += read;
        }
    }
    CloseHandle(h);
    return ok;
}

struct Collector {
    const PackOptions& options;
    std::vector<PackEntry> entries;
    std::wstring error;

    // Adds what is below folder + relative (relative empty or ending in "\\").
    bool AddTree(const std::wstring& folder, const std::wstring& relative)
    {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + relative + L"*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            // Even an empty folder lists "." and "..": whatever fails here would be lost silently.
            error = L"cannot list the folder " + Shown(folder + relative);
            return false;
        }
        bool ok = true;
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = relative + name;
            std::wstring zipName = path;
            std::replace(zipName.begin(), zipName.end(), L'\\', L'/');
            if (!zip::IsSafeRelativeTarget(zipName) || zip::CleanEntryName(zipName) != zipName) {
                error = L"the launcher would refuse to unpack this name: " + Shown(folder + path);
                ok = false;
                break;
            }
            // A folder's entry carries a trailing "/"; the launcher's reader takes names of at most
            // 259 bytes (UTF-8).
            const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (Utf8(zipName).size() + (isFolder ? 1 : 0) > zip::kMaxNameBytes) {
                error = L"the launcher would refuse to unpack this name (longer than " +
                        std::to_wstring(zip::kMaxNameBytes) + L" bytes in UTF-8): " + Shown(folder + path);
                ok = false;
                break;
            }
            PackEntry entry;
            entry.dosDate = kFixedDosDate;
            entry.dosTime = kFixedDosTime;
            FILETIME writeTime = data.ftLastWriteTime;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                error = L"a link is no content to pack: " + Shown(folder + path);
                ok = false;
                break;
            }
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                entry.folder = true;
                entry.name = Utf8(zipName) + "/";
            } else {
                entry.name = Utf8(zipName);
                if (!ReadFileBytes(folder + path, entry.data, writeTime)) {
                    error = L"cannot read (or larger than 4 GiB): " + Shown(folder + path);
                    ok = false;
                    break;
                }
            }
            if (options.keepTimes) {
                FILETIME local;
                WORD date = 0, time = 0;
                if (FileTimeToLocalFileTime(&writeTime, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
                    entry.dosDate = date;
                    entry.dosTime = time;
                }
            }
            const bool folderEntry = entry.folder;
            entries.push_back(std::move(entry));
            if (folderEntry && !AddTree(folder, path + L"\\")) {
                ok = false;
                break;
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return ok;
    }
};

// Names in byte order of their UTF-8 form; with foldersLast a folder comes after what it holds.
void Order(std::vector<PackEntry>& entries, bool foldersLast)
{
    auto key = [foldersLast](const PackEntry& e) {
        if (foldersLast && e.folder)
            return e.name + "\xFF";
        return e.name;
    };
    std::sort(entries.begin(), entries.end(), [&](const PackEntry& a, const PackEntry& b) { return key(a) < key(b); });
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool PackPayloadFolder(const std::wstring& folderIn, const PackOptions& options, std::vector<PackedArchive>& archives,
                       std::wstring* pError)
{
    std::wstring folder = LongPath(folderIn);
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    if (folderIn.empty() || !IsFolder(folder)) {
        *pError = L"no payload folder: " + folderIn;
        return false;
    }

    // Which archives the folder holds; a folder of another name is a mistake worth saying.
    std::map<std::wstring, bool> found;  // resource name -> present
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                found[name] = true;  // files beside the archive folders (a read-me) are no archives
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    for (const auto& [name, present] : found) {
        bool known = std::find(kFixedArchives.begin(), kFixedArchives.end(), name) != kFixedArchives.end();
        for (std::wstring_view code : kLanguageCodes)
            known = known || name == L"LANG_" + std::wstring(code) || name == L"HELP_" + std::wstring(code);
        if (!known) {
            *pError = L"unknown archive folder " + Shown(folder + name) +
                      L" (expected ZOLT, VC, RUNTIME, LANG_<code> and HELP_<code> for the codes CS DA DE EL EN ES FI FR "
                      L"HU IT JP NL NO PL PT RU SV TR)";
            return false;
        }
    }
    for (std::wstring_view name : kFixedArchives) {
        if (!found.count(std::wstring(name))) {
            *pError = L"missing archive folder " + Shown(folder + std::wstring(name));
            return false;
        }
    }
    if (GetFileAttributesW((folder + L"RUNTIME\\Tavisk.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
        *pError = L"missing the viewer " + Shown(folder + L"RUNTIME\\Tavisk.exe");
        return false;
    }
    // The launcher takes any of the codes on its command line: each needs its library and its help.
    std::wstring missing;
    for (std::wstring_view code : kLanguageCodes) {
        for (const wchar_t* prefix : {L"LANG_", L"HELP_"}) {
            const std::wstring name = prefix + std::wstring(code);
            if (!found.count(name))
                missing += (missing.empty() ? L"" : L" ") + name;
        }
    }
    if (!missing.empty()) {
        *pError = L"missing language folders in " + Shown(folder) + L": " + missing +
                  L" (every code needs LANG_<code> and HELP_<code>: CS DA DE EL EN ES FI FR HU IT JP NL NO PL PT "
                  L"RU SV TR)";
        return false;
    }

    archives.clear();
    for (const auto& [name, present] : found) {
        Collector collector{options, {}, {}};
        if (!collector.AddTree(folder + name + L"\\", L"")) {
            *pError = collector.error;
            return false;
        }
        if (collector.entries.empty()) {
            *pError = L"empty archive folder " + Shown(folder + name);
            return false;
        }
        // The runtime assembly's folder entry comes last, as the launcher's own build packs it.
        Order(collector.entries, name == L"VC");
        std::string zipError;
        PackedArchive archive{name, WriteZip(collector.entries, &zipError)};
        if (archive.zip.empty()) {
            *pError = name + L": " + std::wstring(zipError.begin(), zipError.end());
            return false;
        }
        archives.push_back(std::move(archive));
    }
    return true;
}

}  // namespace pack
