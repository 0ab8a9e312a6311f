#include "unpack/zip/ZipReader.h"

#include "unpack/zip/ZipExtract.h"
#include "unpack/zip/ZipPaths.h"
#include "unpack/zip/ZipReaderState.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zip {

static_assert(ZR_BADARCHIVE == static_cast<ZRESULT>(Status::BadArchive) &&
              ZR_INFLATE == static_cast<ZRESULT>(Status::Inflate) &&
              ZR_BADPASSWORD == static_cast<ZRESULT>(Status::BadPassword) &&
              ZR_CANTOPEN == static_cast<ZRESULT>(Status::CantOpen) &&
              ZR_WRITEERR == static_cast<ZRESULT>(Status::WriteError) &&
              ZR_READERR == static_cast<ZRESULT>(Status::ReadError));

ZRESULT ToResult(Status status) { return static_cast<ZRESULT>(status); }

ZRESULT CheckHandle(HZIP hz)
{
    if (!hz || (hz->kind == kZipReaderKind && !hz->reader))
        return ZR_BADARGS;
    if (hz->kind != kZipReaderKind)
        return ZR_WRONGMODE;
    return ZR_OK;
}

namespace {

FILETIME ToFileTime(uint64_t value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

uint64_t FromFileTime(const FILETIME& ft)
{
    return static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

ZipItem MakeItem(int index, const Entry& entry, Output& output)
{
    ZipItem item{};
    item.index = index;
    const size_t length = std::min(entry.name.size(), static_cast<size_t>(MAX_PATH - 1));
    std::copy_n(entry.name.data(), length, item.name);
    item.name[length] = L'\0';
    item.attr = entry.attr;
    const uint64_t dosTime = output.DosTimeToFileTime(entry.central.dosDate, entry.central.dosTime);
    auto pick = [&](const std::optional<int64_t>& unixTime) {
        return ToFileTime(unixTime ? UnixTimeToFileTime(*unixTime) : dosTime);
    };
    item.writeTime = pick(entry.writeTime);
    item.accessTime = pick(entry.accessTime);
    item.creationTime = pick(entry.creationTime);
    item.compressedSize = static_cast<LONG>(entry.central.compressedSize);
    item.uncompressedSize = static_cast<LONG>(entry.central.uncompressedSize);
    return item;
}

// Fills the cache with entry index, unless it holds it already.
ZRESULT LoadCached(ZipReaderState& state, int index)
{
    if (index == state.cachedIndex)
        return ZR_OK;
    if (const ZRESULT result = LoadEntry(state, index, state.cachedItem, state.cachedEntry); result != ZR_OK) {
        state.cachedIndex = -1;
        return result;
    }
    state.cachedIndex = index;
    return ZR_OK;
}

}  // namespace

ZRESULT LoadEntry(const ZipReaderState& state, int index, ZipItem& item, Entry& entry)
{
    CentralRecord record;
    if (ReadCentralRecord(state.archive, state.recordOffsets[static_cast<size_t>(index)], record) != Status::Ok)
        return ZR_BADARCHIVE;
    if (const Status status = ReadEntry(state.archive, state.directory, record, entry); status != Status::Ok)
        return ToResult(status);
    item = MakeItem(index, entry, *state.output);
    return ZR_OK;
}

ExtractRequest MakeRequest(const ZipReaderState& state, const Entry& entry, const ZipItem& item,
                           std::wstring_view target, std::span<uint8_t> buffer)
{
    ExtractRequest request;
    request.archive = state.archive;
    request.entry = &entry;
    request.times = {FromFileTime(item.creationTime), FromFileTime(item.accessTime), FromFileTime(item.writeTime)};
    request.baseFolder = state.baseFolder;
    request.target = target;
    request.password = state.password;
    request.buffer = buffer;
    return request;
}

size_t UnzipBufferSize(uint64_t largest)
{
    return static_cast<size_t>(std::clamp<uint64_t>(largest, 1, ZipReaderState::kUnzipBufferSize));
}

}  // namespace zip

HZIP ZipOpenMemoryWith(const void* buffer, unsigned int size, const char* password, zip::Output& output)
{
    if (!buffer)
        return nullptr;
    try {
        auto state = std::make_unique<ZipReaderState>();
        state->archive = zip::Bytes(static_cast<const uint8_t*>(buffer), size);
        state->output = &output;
        if (password)
            state->password = password;
        state->baseFolder = output.CurrentFolder();
        zip::AddTrailingSeparator(state->baseFolder);
        const auto directory = zip::FindCentralDirectory(state->archive);
        if (!directory)
            return nullptr;
        state->directory = *directory;
        if (zip::ReadDirectoryLayout(state->archive, state->directory, state->recordOffsets) != zip::Status::Ok)
            return nullptr;
        return new ZipHandle{kZipReaderKind, state.release()};
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

ZRESULT ZipSetBaseFolder(HZIP hz, const wchar_t* folder)
{
    if (const ZRESULT check = zip::CheckHandle(hz); check != ZR_OK)
        return check;
    if (!folder || !*folder)
        return ZR_BADARGS;
    try {
        std::wstring base(folder);
        zip::AddTrailingSeparator(base);
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
    if (const ZRESULT check = zip::CheckHandle(hz); check != ZR_OK)
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
        if (const ZRESULT result = zip::LoadCached(state, index); result != ZR_OK)
            return result;
    } catch (const std::bad_alloc&) {
        return ZR_READERR;
    }
    *item = state.cachedItem;
    return ZR_OK;
}

ZRESULT ZipUnzipItem(HZIP hz, int index, const wchar_t* target)
{
    if (const ZRESULT check = zip::CheckHandle(hz); check != ZR_OK)
        return check;
    ZipReaderState& state = *hz->reader;
    if (!target || index < 0 || index >= static_cast<int>(state.directory.entryCount))
        return ZR_BADARGS;
    try {
        if (const ZRESULT result = zip::LoadCached(state, index); result != ZR_OK)
            return result;
        const uint64_t size = static_cast<uint64_t>(state.cachedItem.uncompressedSize);
        if (state.unzipBuffer.size() < zip::UnzipBufferSize(size))
            state.unzipBuffer.resize(zip::UnzipBufferSize(size));
        const zip::ExtractRequest request =
            zip::MakeRequest(state, state.cachedEntry, state.cachedItem, target, state.unzipBuffer);
        return zip::ToResult(zip::ExtractEntry(request, *state.output));
    } catch (const std::bad_alloc&) {
        return ZR_WRITEERR;
    }
}

ZRESULT ZipClose(HZIP hz)
{
    if (const ZRESULT check = zip::CheckHandle(hz); check != ZR_OK)
        return check;
    delete hz->reader;
    delete hz;
    return ZR_OK;
}
