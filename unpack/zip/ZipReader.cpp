#include "unpack/zip/ZipReader.h"

#include "unpack/zip/ZipExtract.h"
#include "unpack/zip/ZipReaderState.h"
#include "unpack/zip/ZipWin32Output.h"

#include <cstring>
#include <new>

namespace {

static_assert(ZR_BADARCHIVE == static_cast<ZRESULT>(zip::Status::BadArchive) &&
              ZR_INFLATE == static_cast<ZRESULT>(zip::Status::Inflate) &&
              ZR_BADPASSWORD == static_cast<ZRESULT>(zip::Status::BadPassword) &&
              ZR_CANTOPEN == static_cast<ZRESULT>(zip::Status::CantOpen) &&
              ZR_WRITEERR == static_cast<ZRESULT>(zip::Status::WriteError) &&
              ZR_READERR == static_cast<ZRESULT>(zip::Status::ReadError));

ZRESULT ToResult(zip::Status status) { return static_cast<ZRESULT>(status); }

bool EndsWithSeparator(const std::wstring& path)
{
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

// BADARGS / WRONGMODE for a handle that is not a live reader handle; nullptr otherwise.
ZRESULT CheckHandle(HZIP hz)
{
    if (!hz || (hz->kind == kZipReaderKind && !hz->reader))
        return ZR_BADARGS;
    if (hz->kind != kZipReaderKind)
        return ZR_WRONGMODE;
    return ZR_OK;
}

void ResetCursor(ZipReaderState& state)
{
    state.cursorIndex = 0;
    state.cursorOffset = state.directory.firstRecord;
}

ZipItem MakeItem(int index, const zip::Entry& entry)
{
    ZipItem item{};
    item.index = index;
    const size_t length = std::min(entry.name.size(), static_cast<size_t>(MAX_PATH - 1));
    std::memcpy(item.name, entry.name.data(), length * sizeof(wchar_t));
    item.name[length] = L'\0';
    item.attr = entry.attr;
    const FILETIME dosTime = zip::DosTimeToFileTime(entry.central.dosDate, entry.central.dosTime);
    auto pick = [&](const std::optional<int64_t>& unixTime) {
        return unixTime ? zip::ToFileTime(zip::UnixTimeToFileTime(*unixTime)) : dosTime;
    };
    item.writeTime = pick(entry.writeTime);
    item.accessTime = pick(entry.accessTime);
    item.creationTime = pick(entry.creationTime);
    item.compressedSize = static_cast<LONG>(entry.central.compressedSize);
    item.uncompressedSize = static_cast<LONG>(entry.central.uncompressedSize);
    return item;
}

// Moves the cursor to entry index (restarting when it is behind) and fills the cache from it.
ZRESULT LoadEntry(ZipReaderState& state, int index)
{
    if (index == state.cachedIndex)
        return ZR_OK;
    const uint32_t wanted = static_cast<uint32_t>(index);
    if (wanted < state.cursorIndex)
        ResetCursor(state);
    zip::CentralRecord record;
    while (state.cursorIndex < wanted) {
        if (zip::ReadCentralRecord(state.archive, state.cursorOffset, record) != zip::Status::Ok) {
            ResetCursor(state);
            return ZR_BADARCHIVE;
        }
        state.cursorOffset += record.RecordSize();
        ++state.cursorIndex;
    }
    if (zip::ReadCentralRecord(state.archive, state.cursorOffset, record) != zip::Status::Ok)
        return ZR_BADARCHIVE;
    zip::Entry entry;
    if (const zip::Status status = zip::ReadEntry(state.archive, state.directory, record, entry);
        status != zip::Status::Ok)
        return ToResult(status);
    state.cachedItem = MakeItem(index, entry);
    state.cachedEntry = std::move(entry);
    state.cachedIndex = index;
    return ZR_OK;
}

}  // namespace

HZIP ZipOpenMemory(const void* buffer, unsigned int size, const char* password)
{
    if (!buffer)
        return nullptr;
    try {
        auto state = std::make_unique<ZipReaderState>();
        state->archive = zip::Bytes(static_cast<const uint8_t*>(buffer), size);
        if (password)
            state->password = password;
        wchar_t current[MAX_PATH];
        const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
        if (length > 0 && length < MAX_PATH) {
            state->baseFolder.assign(current, length);
            if (!EndsWithSeparator(state->baseFolder))
                state->baseFolder += L'\\';
        }
        const auto directory = zip::FindCentralDirectory(state->archive);
        if (!directory)
            return nullptr;
        state->directory = *directory;
        ResetCursor(*state);
        return new ZipHandle{kZipReaderKind, state.release()};
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

ZRESULT ZipSetBaseFolder(HZIP hz, const wchar_t* folder)
{
    if (const ZRESULT check = CheckHandle(hz); check != ZR_OK)
        return check;
    if (!folder || !*folder)
        return ZR_BADARGS;
    try {
        std::wstring base(folder);
        if (!EndsWithSeparator(base))
            base += L'\\';
        if (base.size() >= MAX_PATH)
            return ZR_BADARGS;
        hz->reader->baseFolder = std::move(base);
        return ZR_OK;
    } catch (const std::bad_alloc&) {
        return ZR_BADARGS;
    }
}

ZRESULT ZipGetItem(HZIP hz, int index, ZipItem* item)
{
    if (item) {
        item->index = 0;
        item->uncompressedSize = 0;
        item->name[0] = L'\0';
    }
    if (const ZRESULT check = CheckHandle(hz); check != ZR_OK)
        return check;
    ZipReaderState& state = *hz->reader;
    if (!item || index < -1 || index >= static_cast<int>(state.directory.entryCount))
        return ZR_BADARGS;
    if (index == -1) {
        *item = ZipItem{};
        item->index = static_cast<int>(state.directory.entryCount);
        return ZR_OK;
    }
    try {
        if (const ZRESULT result = LoadEntry(state, index); result != ZR_OK)
            return result;
    } catch (const std::bad_alloc&) {
        return ZR_READERR;
    }
    *item = state.cachedItem;
    return ZR_OK;
}

ZRESULT ZipUnzipItemTo(HZIP hz, int index, const wchar_t* target, zip::Output& output)
{
    if (const ZRESULT check = CheckHandle(hz); check != ZR_OK)
        return check;
    ZipReaderState& state = *hz->reader;
    if (!target || index < 0 || index >= static_cast<int>(state.directory.entryCount))
        return ZR_BADARGS;
    try {
        if (const ZRESULT result = LoadEntry(state, index); result != ZR_OK)
            return result;
        if (!state.unzipBuffer)
            state.unzipBuffer = std::make_unique<uint8_t[]>(ZipReaderState::kUnzipBufferSize);
        const ZipItem& item = state.cachedItem;
        zip::ExtractRequest request;
        request.archive = state.archive;
        request.entry = &state.cachedEntry;
        request.times = {zip::FromFileTime(item.creationTime), zip::FromFileTime(item.accessTime),
                         zip::FromFileTime(item.writeTime)};
        request.baseFolder = state.baseFolder;
        request.target = target;
        request.password = state.password;
        request.buffer = {state.unzipBuffer.get(), ZipReaderState::kUnzipBufferSize};
        return ToResult(zip::ExtractEntry(request, output));
    } catch (const std::bad_alloc&) {
        return ZR_WRITEERR;
    }
}

ZRESULT ZipUnzipItem(HZIP hz, int index, const wchar_t* target)
{
    zip::Win32Output output;
    return ZipUnzipItemTo(hz, index, target, output);
}

ZRESULT ZipClose(HZIP hz)
{
    if (const ZRESULT check = CheckHandle(hz); check != ZR_OK)
        return check;
    delete hz->reader;
    delete hz;
    return ZR_OK;
}
