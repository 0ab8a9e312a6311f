// The property bag's file image and its saving and loading.
#include "platform/mfc/PropertyBag.h"

#include <zlib.h>

#include <cstring>

namespace {

constexpr BYTE kMagic[4] = {'L', 'P', 'B', 'G'};
constexpr BYTE kTypeBool = 1;
constexpr BYTE kTypeLong = 2;
constexpr BYTE kTypeString = 3;
// Type, name length, a name of one unit and the smallest value (one byte).
constexpr size_t kMinRecordSize = 1 + 2 + 2 + 1;

class ByteWriter {
public:
    void U8(BYTE n) { m_bytes.push_back(n); }
    void U16(WORD n)
    {
        U8(static_cast<BYTE>(n));
        U8(static_cast<BYTE>(n >> 8));
    }
    void U32(DWORD n)
    {
        U16(static_cast<WORD>(n));
        U16(static_cast<WORD>(n >> 16));
    }
    void Units(const std::wstring& str)
    {
        for (wchar_t ch : str)
            U16(static_cast<WORD>(ch));
    }
    std::vector<BYTE>& Bytes() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

// Reads from a span; every read checks what is left first and fails instead of reading past it.
class ByteReader {
public:
    ByteReader(const BYTE* pData, size_t nSize) : m_p(pData), m_nLeft(nSize) {}
    bool U8(BYTE& n)
    {
        if (m_nLeft < 1)
            return false;
        n = *m_p++;
        --m_nLeft;
        return true;
    }
    bool U16(WORD& n)
    {
        BYTE lo = 0, hi = 0;
        if (m_nLeft < 2 || !U8(lo) || !U8(hi))
            return false;
        n = static_cast<WORD>(lo | (hi << 8));
        return true;
    }
    bool U32(DWORD& n)
    {
        WORD lo = 0, hi = 0;
        if (m_nLeft < 4 || !U16(lo) || !U16(hi))
            return false;
        n = static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16);
        return true;
    }
    // nCount UTF-16 units; the count is checked against the bytes left before the string grows.
    bool Units(std::wstring& str, size_t nCount)
    {
        if (nCount > m_nLeft / 2)
            return false;
        str.resize(nCount);
        for (size_t i = 0; i < nCount; ++i) {
            WORD unit = 0;
            U16(unit);
            str[i] = static_cast<wchar_t>(unit);
        }
        return true;
    }
    size_t Left() const { return m_nLeft; }

private:
    const BYTE* m_p;
    size_t m_nLeft;
};

DWORD HeaderCrc(const BYTE* pHeader, const BYTE* pPayload, size_t nPayload)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, pHeader, 16);
    crc = crc32(crc, nPayload ? pPayload : Z_NULL, static_cast<uInt>(nPayload));
    return static_cast<DWORD>(crc);
}

bool ReadRecord(ByteReader& reader, std::wstring& name, CPropertyBag::Value& value)
{
    BYTE type = 0;
    WORD nNameLength = 0;
    if (!reader.U8(type) || !reader.U16(nNameLength) || nNameLength == 0 ||
        nNameLength > CPropertyBag::kMaxNameLength || !reader.Units(name, nNameLength))
        return false;
    if (name.find(L'\0') != std::wstring::npos)
        return false;
    switch (type) {
    case kTypeBool: {
        BYTE b = 0;
        if (!reader.U8(b) || b > 1)
            return false;
        value = b == 1;
        return true;
    }
    case kTypeLong: {
        DWORD n = 0;
        if (!reader.U32(n))
            return false;
        value = static_cast<LONG>(n);
        return true;
    }
    case kTypeString: {
        DWORD nLength = 0;
        std::wstring str;
        if (!reader.U32(nLength) || nLength > CPropertyBag::kMaxStringLength || !reader.Units(str, nLength))
            return false;
        value = std::move(str);
        return true;
    }
    default: return false;
    }
}

// Closes a file handle when it goes.
class CFileHandle {
public:
    explicit CFileHandle(HANDLE h) : m_h(h) {}
    ~CFileHandle() { Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    BOOL Close()
    {
        const BOOL bClosed = IsValid() ? ::CloseHandle(m_h) : TRUE;
        m_h = INVALID_HANDLE_VALUE;
        return bClosed;
    }

private:
    HANDLE m_h;
};

BOOL WriteAll(HANDLE hFile, const std::vector<BYTE>& bytes)
{
    size_t nDone = 0;
    while (nDone < bytes.size()) {
        DWORD nWritten = 0;
        const DWORD nChunk = static_cast<DWORD>(bytes.size() - nDone < (1u << 20) ? bytes.size() - nDone : (1u << 20));
        if (!::WriteFile(hFile, bytes.data() + nDone, nChunk, &nWritten, nullptr) || nWritten == 0)
            return FALSE;
        nDone += nWritten;
    }
    return TRUE;
}

// A new file next to pszPath that no other save uses: "<path>.<process>-<n>.tmp".
HANDLE CreateTempBeside(const wchar_t* pszPath, std::wstring& tempPath)
{
    static LONG s_nCounter = 0;
    for (int nTry = 0; nTry < 100; ++nTry) {
        tempPath = std::wstring(pszPath) + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(::InterlockedIncrement(&s_nCounter)) + L".tmp";
        HANDLE h = ::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

std::vector<BYTE> CPropertyBag::Serialize() const
{
    ByteWriter payload;
    for (const auto& [name, value] : m_values) {
        static constexpr BYTE kTypeOfIndex[] = {kTypeBool, kTypeLong, kTypeString};
        payload.U8(kTypeOfIndex[value.index()]);
        payload.U16(static_cast<WORD>(name.size()));
        payload.Units(name);
        if (const bool* p = std::get_if<bool>(&value))
            payload.U8(*p ? 1 : 0);
        else if (const LONG* n = std::get_if<LONG>(&value))
            payload.U32(static_cast<DWORD>(*n));
        else if (const std::wstring* str = std::get_if<std::wstring>(&value)) {
            payload.U32(static_cast<DWORD>(str->size()));
            payload.Units(*str);
        }
    }
    ByteWriter header;
    for (BYTE b : kMagic)
        header.U8(b);
    header.U16(kVersion);
    header.U16(0);
    header.U32(static_cast<DWORD>(m_values.size()));
    header.U32(static_cast<DWORD>(payload.Bytes().size()));
    header.U32(HeaderCrc(header.Bytes().data(), payload.Bytes().data(), payload.Bytes().size()));
    std::vector<BYTE> image = std::move(header.Bytes());
    image.insert(image.end(), payload.Bytes().begin(), payload.Bytes().end());
    return image;
}

CPropertyBag::LoadResult CPropertyBag::Deserialize(const BYTE* pData, size_t nSize)
{
    if (!pData || nSize < kHeaderSize || nSize > kMaxFileSize)
        return LoadResult::badSize;
    if (std::memcmp(pData, kMagic, sizeof(kMagic)) != 0)
        return LoadResult::badMagic;
    ByteReader header(pData + 4, kHeaderSize - 4);
    WORD nVersion = 0, nReserved = 0;
    DWORD nCount = 0, nPayload = 0, nCrc = 0;
    header.U16(nVersion);
    header.U16(nReserved);
    header.U32(nCount);
    header.U32(nPayload);
    header.U32(nCrc);
    if (nVersion != kVersion)
        return LoadResult::badVersion;
    if (nPayload != nSize - kHeaderSize)
        return LoadResult::badSize;
    if (HeaderCrc(pData, pData + kHeaderSize, nPayload) != nCrc)
        return LoadResult::badChecksum;
    if (nReserved != 0 || nCount > nPayload / kMinRecordSize)
        return LoadResult::badRecord;

    std::map<std::wstring, Value> values;
    ByteReader reader(pData + kHeaderSize, nPayload);
    for (DWORD i = 0; i < nCount; ++i) {
        std::wstring name;
        Value value;
        if (!ReadRecord(reader, name, value) || !values.emplace(std::move(name), std::move(value)).second)
            return LoadResult::badRecord;
    }
    if (reader.Left() != 0)
        return LoadResult::badRecord;
    m_values = std::move(values);
    return LoadResult::ok;
}

BOOL CPropertyBag::SaveToFile(const wchar_t* pszPath) const
{
    if (!pszPath || !*pszPath) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<BYTE> image = Serialize();
    // A file that no load would accept is not written at all: the old one stays.
    if (image.size() > kMaxFileSize) {
        ::SetLastError(ERROR_FILE_TOO_LARGE);
        return FALSE;
    }
    std::wstring tempPath;
    CFileHandle file(CreateTempBeside(pszPath, tempPath));
    if (!file.IsValid())
        return FALSE;
    BOOL bDone = WriteAll(file.Get(), image) && ::FlushFileBuffers(file.Get());
    bDone = file.Close() && bDone;
    if (bDone)
        bDone = ::MoveFileExW(tempPath.c_str(), pszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!bDone) {
        const DWORD dwError = ::GetLastError();
        ::DeleteFileW(tempPath.c_str());
        ::SetLastError(dwError);
    }
    return bDone;
}

CPropertyBag::LoadResult CPropertyBag::LoadFromFile(const wchar_t* pszPath)
{
    if (!pszPath || !*pszPath)
        return LoadResult::openFailed;
    CFileHandle file(::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return LoadResult::openFailed;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size))
        return LoadResult::readFailed;
    if (size.QuadPart < static_cast<LONGLONG>(kHeaderSize) || size.QuadPart > static_cast<LONGLONG>(kMaxFileSize))
        return LoadResult::badSize;
    std::vector<BYTE> image(static_cast<size_t>(size.QuadPart));
    DWORD nRead = 0;
    if (!::ReadFile(file.Get(), image.data(), static_cast<DWORD>(image.size()), &nRead, nullptr))
        return LoadResult::readFailed;
    if (nRead != image.size())
        return LoadResult::badSize;
    return Deserialize(image.data(), image.size());
}
