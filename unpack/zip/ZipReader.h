#pragma once
// Reads a zip archive held in memory (a locked resource) and writes its entries under a base folder.
// The buffer is borrowed: it must stay valid and unchanged until ZipClose.
#ifdef _WIN32
#include <windows.h>
#else
#include "unpack/zip/ZipNativeTypes.h"
#endif

#include <functional>

namespace zip {
class Output;
}

using ZRESULT = DWORD;
constexpr ZRESULT ZR_OK = 0, ZR_CANTOPEN = 0x200, ZR_WRITEERR = 0x400, ZR_BADARCHIVE = 0x700,
    ZR_READERR = 0x800, ZR_BADPASSWORD = 0x1000, ZR_BADARGS = 0x10000, ZR_WRONGMODE = 0x80000,
    ZR_INFLATE = 0x05000000;

struct ZipItem {
    int index;                    // the entry's index; for the request -1, the number of entries
    wchar_t name[MAX_PATH];       // the entry's name, converted from UTF-8 and cleaned
    DWORD attr;                   // FILE_ATTRIBUTE_* bits
    FILETIME accessTime;
    FILETIME creationTime;
    FILETIME writeTime;
    LONG compressedSize;
    LONG uncompressedSize;
};

struct ZipHandle {
    DWORD kind;                   // 1 = reader
    struct ZipReaderState* reader;
};
using HZIP = ZipHandle*;

// Returns nullptr when the buffer holds no readable central directory, or when the entries' data do
// not lie side by side inside the archive (overlapping or out-of-range entries are refused whole,
// before anything is written). Writes to the file system; the base folder starts as the current one.
HZIP ZipOpenMemory(const void* buffer, unsigned int size, const char* password);
// The same, writing through output (borrowed: it must outlive the handle).
HZIP ZipOpenMemoryWith(const void* buffer, unsigned int size, const char* password, zip::Output& output);
ZRESULT ZipSetBaseFolder(HZIP hz, const wchar_t* folder);
// index -1 asks for the number of entries (returned in item->index).
ZRESULT ZipGetItem(HZIP hz, int index, ZipItem* item);
// target is relative to the base folder unless it is absolute; a relative target that would leave the
// base folder is refused with ZR_BADARCHIVE. A file that fails after it was created is removed.
ZRESULT ZipUnzipItem(HZIP hz, int index, const wchar_t* target);
ZRESULT ZipClose(HZIP hz);

// Where ZipUnzipAll stopped.
struct ZipUnzipAllFailure {
    int index = -1;            // the failing entry with the lowest index
    bool atGetItem = false;    // its record could not be read (as ZipGetItem fails), else its unzip failed
    DWORD systemError = 0;     // the system's error for a file that could not be created or written
};

// Unzips every entry under the base folder to its cleaned name, as ZipGetItem and ZipUnzipItem for each
// index in turn would, an empty file's ZR_INFLATE counting as success: folders first, in order, on the
// calling thread, then the files spread over nWorkers threads (whole entries, largest first). The
// result, the files written and the failure reported are those of the sequential run: after a failure
// no entry above it is started, while entries below it still are. whileWaiting, when given, runs on the
// calling thread about every 30 ms while the workers write.
ZRESULT ZipUnzipAll(HZIP hz, unsigned nWorkers, ZipUnzipAllFailure* failure,
                    const std::function<void()>& whileWaiting = {});

// Worker threads for ZipUnzipAll on this machine: the processor count, at most 4.
unsigned ZipDefaultWorkers();
