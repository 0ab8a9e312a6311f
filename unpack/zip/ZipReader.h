#pragma once
// Reads a zip archive held in memory (a locked resource) and writes its entries under a base folder.
// The buffer is borrowed: it must stay valid and unchanged until ZipClose.
#include <windows.h>

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

// Returns nullptr when the buffer holds no readable central directory.
HZIP ZipOpenMemory(const void* buffer, unsigned int size, const char* password);
ZRESULT ZipSetBaseFolder(HZIP hz, const wchar_t* folder);
// index -1 asks for the number of entries (returned in item->index).
ZRESULT ZipGetItem(HZIP hz, int index, ZipItem* item);
// target is relative to the base folder unless it is absolute; a relative target that would leave the
// base folder is refused with ZR_BADARCHIVE.
ZRESULT ZipUnzipItem(HZIP hz, int index, const wchar_t* target);
ZRESULT ZipClose(HZIP hz);
