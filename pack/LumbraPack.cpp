// LumbraPack: puts a maker's own payload into a built launcher.
//   LumbraPack.exe [--keep-times] [--max-size <bytes>] <Lumbra.exe> <payload folder> <output.exe>
// Exit codes: 0 written; 1 refused (bad command line or input; nothing written); 2 writing failed.
#include "pack/PayloadFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// What Windows maps as one image: no executable of 2 GiB or more loads.
constexpr uint64_t kMaxImageBytes = 0x7FFFFFFFull;
constexpr WORD kResourceLanguage = 1033;

constexpr int kExitRefused = 1;
constexpr int kExitWriteFailed = 2;

std::wstring OverLimit(uint64_t bytes, uint64_t limit)
{
    return L"the launcher would be " + std::to_wstring(bytes) + L" bytes, over the limit of " + std::to_wstring(limit) +
           L" bytes";
}

int Fail(int code, const std::wstring& message)
{
    fwprintf(stderr, L"LumbraPack: %ls\n", message.c_str());
    return code;
}

int Usage()
{
    fwprintf(stderr,
             L"usage: LumbraPack.exe [--keep-times] [--max-size <bytes>] <Lumbra.exe> <payload folder> <output.exe>\n"
             L"  Writes a copy of Lumbra.exe that carries the payload folder's archives (ZOLT, VC, RUNTIME,\n"
             L"  LANG_<code>, HELP_<code>) instead of its own. Sign the output after packing, never before.\n"
             L"  --keep-times      keep the files' own times (default: one fixed time, for identical output)\n"
             L"  --max-size <n>    refuse an output larger than n bytes (at most 2147483647)\n");
    return kExitRefused;
}

std::wstring SystemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message + L" (error " + std::to_wstring(error) + L")";
}

// True when both paths name one existing file (also through another spelling, a link or a share).
bool SameFile(const std::wstring& a, const std::wstring& b)
{
    auto identify = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        const bool ok = GetFileInformationByHandle(h, &info) != FALSE;
        CloseHandle(h);
        return ok;
    };
    BY_HANDLE_FILE_INFORMATION ia = {}, ib = {};
    if (!identify(a, ia) || !identify(b, ib))
        return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

LPCWSTR ResourceName(const std::wstring& name)
{
    return name[0] == L'#' ? MAKEINTRESOURCEW(_wtoi(name.c_str() + 1)) : name.c_str();
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    auto* names = reinterpret_cast<std::vector<std::wstring>*>(param);
    if (IS_INTRESOURCE(name))
        names->push_back(L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)));
    else
        names->push_back(name);
    return TRUE;
}

// The names of the launcher's "FILE" resources and their bytes in all; false when it is no launcher
// we can read.
bool ReadArchiveNames(const std::wstring& launcher, std::vector<std::wstring>& names, uint64_t& bytes)
{
    HMODULE module = LoadLibraryExW(launcher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return false;
    EnumResourceNamesW(module, L"FILE", CollectName, reinterpret_cast<LONG_PTR>(&names));
    bytes = 0;
    for (const std::wstring& name : names)
        if (HRSRC resource = FindResourceW(module, ResourceName(name), L"FILE"))
            bytes += SizeofResource(module, resource);
    FreeLibrary(module);
    return !names.empty();
}

// What the headers of a program file say about its size and signature.
struct ImageFacts {
    uint64_t fileBytes = 0;
    uint64_t imageBytes = 0;  // SizeOfImage: what the loader maps
    bool signedImage = false; // a certificate table is attached
};

bool ReadImageFacts(const std::wstring& path, ImageFacts& facts)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    uint8_t head[4096] = {};
    DWORD read = 0;
    const bool ok = GetFileSizeEx(h, &size) && ReadFile(h, head, sizeof(head), &read, nullptr);
    CloseHandle(h);
    if (!ok || read < sizeof(IMAGE_DOS_HEADER))
        return false;
    facts.fileBytes = static_cast<uint64_t>(size.QuadPart);
    IMAGE_DOS_HEADER dos;
    memcpy(&dos, head, sizeof(dos));
    const uint64_t at = static_cast<uint64_t>(static_cast<uint32_t>(dos.e_lfanew));
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || at + sizeof(IMAGE_NT_HEADERS64) > read)
        return false;
    IMAGE_NT_HEADERS64 nt;
    memcpy(&nt, head + at, sizeof(nt));
    if (nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return false;
    facts.imageBytes = nt.OptionalHeader.SizeOfImage;
    facts.signedImage = nt.OptionalHeader.NumberOfRvaAndSizes > IMAGE_DIRECTORY_ENTRY_SECURITY &&
                        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY].Size != 0;
    return true;
}


}  // namespace

int wmain(int argc, wchar_t** argv)
{
    pack::PackOptions options;
    uint64_t maxBytes = kMaxImageBytes;
    std::vector<std::wstring> paths;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--keep-times") {
            options.keepTimes = true;
        } else if (arg == L"--max-size" && i + 1 < argc) {
            wchar_t* end = nullptr;
            maxBytes = wcstoull(argv[++i], &end, 10);
            if (*end != L'\0' || maxBytes == 0 || maxBytes > kMaxImageBytes)
                return Fail(kExitRefused, L"--max-size takes a number of bytes from 1 to 2147483647");
        } else if (arg.size() > 1 && arg[0] == L'-') {
            return Usage();
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 3)
        return Usage();
    const std::wstring& input = paths[0];
    const std::wstring& payload = paths[1];
    const std::wstring& output = paths[2];

    std::vector<std::wstring> oldArchives;
    uint64_t oldArchiveBytes = 0;
    ImageFacts inputFacts;
    if (!ReadImageFacts(input, inputFacts) || !ReadArchiveNames(input, oldArchives, oldArchiveBytes))
        return Fail(kExitRefused, L"not a launcher (a 64-bit program with archives of type FILE): " + input);
    // Changing the resources of a signed program breaks its signature (and the certificate table at
    // the file's end would no longer fit the sections): pack first, then sign.
    if (inputFacts.signedImage)
        return Fail(kExitRefused, L"the launcher is signed: pack the unsigned Lumbra.exe and sign the output "
                                  L"afterwards: " + input);
    // Written beside the output under another name, and put in place only when complete.
    const std::wstring temporary = output + L".packing";
    if (lstrcmpiW(input.c_str(), output.c_str()) == 0 || SameFile(input, output) || SameFile(input, temporary))
        return Fail(kExitRefused, L"the output would overwrite the input launcher: " + output);

    std::vector<pack::PackedArchive> archives;
    std::wstring error;
    if (!pack::PackPayloadFolder(payload, options, archives, &error))
        return Fail(kExitRefused, error);

    // A first estimate (the program without its archives, plus the new ones) spares writing what
    // cannot fit; the written file is measured again below.
    uint64_t total = inputFacts.fileBytes - std::min(inputFacts.fileBytes, oldArchiveBytes);
    for (const pack::PackedArchive& archive : archives)
        total += archive.zip.size();
    if (total > maxBytes)
        return Fail(kExitRefused, OverLimit(total, maxBytes));

    if (!CopyFileW(input.c_str(), temporary.c_str(), FALSE))
        return Fail(kExitWriteFailed, L"cannot write " + temporary + L": " + SystemMessage(GetLastError()));
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE update = BeginUpdateResourceW(temporary.c_str(), FALSE);
    bool ok = update != nullptr;
    for (const std::wstring& name : oldArchives)
        ok = ok && UpdateResourceW(update, L"FILE", ResourceName(name), kResourceLanguage, nullptr, 0);
    for (const pack::PackedArchive& archive : archives)
        ok = ok && UpdateResourceW(update, L"FILE", archive.resourceName.c_str(), kResourceLanguage,
                                   const_cast<uint8_t*>(archive.zip.data()), static_cast<DWORD>(archive.zip.size()));
    const DWORD updateError = GetLastError();
    if (update && !EndUpdateResourceW(update, ok ? FALSE : TRUE))
        ok = false;
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return Fail(kExitWriteFailed, L"cannot write " + output + L": " + SystemMessage(updateError));
    }
    // The resource section's directory and alignment add to the estimate: the file must fit the
    // limit, and the image it maps the executable format's.
    ImageFacts outputFacts;
    if (!ReadImageFacts(temporary, outputFacts)) {
        DeleteFileW(temporary.c_str());
        return Fail(kExitWriteFailed, L"cannot read back " + temporary);
    }
    if (outputFacts.fileBytes > maxBytes || outputFacts.imageBytes > kMaxImageBytes) {
        DeleteFileW(temporary.c_str());
        return Fail(kExitRefused, outputFacts.fileBytes > maxBytes
                                      ? OverLimit(outputFacts.fileBytes, maxBytes)
                                      : L"the launcher's image would take " + std::to_wstring(outputFacts.imageBytes) +
                                            L" bytes of memory, over the limit of " + std::to_wstring(kMaxImageBytes));
    }
    if (!MoveFileExW(temporary.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD lastError = GetLastError();
        DeleteFileW(temporary.c_str());
        return Fail(kExitWriteFailed, L"cannot write " + output + L": " + SystemMessage(lastError));
    }
    fwprintf(stdout, L"LumbraPack: wrote %ls with %zu archives; sign it now if you sign your programs\n",
             output.c_str(), archives.size());
    return 0;
}
