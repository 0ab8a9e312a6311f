#pragma once
// Named, typed property values (Boolean, 32-bit integer, string) in an ordered map, stored in a file
// of their own.
//
// File format, little-endian:
//   header  "LPBG", version (16 bits, 1), reserved (16 bits, 0), record count (32), payload size in
//           bytes (32), CRC-32 (32) of the header's first 16 bytes followed by the payload
//   record  type (8 bits: 1 Boolean, 2 integer, 3 string), name length in UTF-16 units (16, 1..255),
//           the name, then the value: Boolean one byte 0 or 1, integer 32 bits, string its length in
//           UTF-16 units (32) and the units
// A file is taken whole or not at all: every length is checked against what is left before anything
// is allocated, and any damage leaves the bag as it was.
#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <variant>
#include <vector>

class CPropertyBag {
public:
    using Value = std::variant<bool, LONG, std::wstring>;
    enum class Lookup { found, missing, wrongType };
    enum class LoadResult { ok, openFailed, readFailed, badSize, badMagic, badVersion, badChecksum, badRecord };

    static constexpr WORD kVersion = 1;
    static constexpr size_t kHeaderSize = 20;
    static constexpr size_t kMaxNameLength = 255;
    static constexpr size_t kMaxStringLength = 1u << 20;
    static constexpr size_t kMaxFileSize = 16u << 20;

    // A name outside 1..kMaxNameLength characters, or a string longer than kMaxStringLength, is not
    // stored: FALSE.
    BOOL SetBool(const wchar_t* pszName, BOOL bValue);
    BOOL SetLong(const wchar_t* pszName, LONG nValue);
    BOOL SetString(const wchar_t* pszName, const wchar_t* pszValue);
    BOOL SetString(const wchar_t* pszName, std::wstring strValue);

    // The value when the name is there with that type; otherwise the output is left alone.
    Lookup GetBool(const wchar_t* pszName, BOOL& bValue) const;
    Lookup GetLong(const wchar_t* pszName, LONG& nValue) const;
    Lookup GetString(const wchar_t* pszName, std::wstring& strValue) const;

    BOOL Remove(const wchar_t* pszName);
    void RemoveAll() { m_values.clear(); }
    size_t GetCount() const { return m_values.size(); }
    const std::map<std::wstring, Value>& GetValues() const { return m_values; }
    bool operator==(const CPropertyBag& other) const { return m_values == other.m_values; }

    // The file image of the bag, and the bag from an image (all or nothing).
    std::vector<BYTE> Serialize() const;
    LoadResult Deserialize(const BYTE* pData, size_t nSize);

    // Writes a temporary file next to pszPath and renames it over pszPath, so a failed save leaves
    // the old file as it was. FALSE (with the system's error code) when anything failed, and
    // (ERROR_FILE_TOO_LARGE) for a bag whose file would exceed kMaxFileSize, which no load accepts.
    BOOL SaveToFile(const wchar_t* pszPath) const;
    LoadResult LoadFromFile(const wchar_t* pszPath);

private:
    BOOL Store(const wchar_t* pszName, Value value);
    template <class T>
    const T* Find(const wchar_t* pszName, Lookup& lookup) const;

    std::map<std::wstring, Value> m_values;
};
