#pragma once
// A wide string with the MFC CString operations the application uses.
#include <windows.h>

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* psz);                  // NOLINT: implicit, as in MFC
    CString(const wchar_t* pch, int nLength);
    CString(wchar_t ch, int nRepeat = 1);
    explicit CString(const char* pszUtf8OrAnsi);  // converted from the ANSI code page

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int nIndex) const { return m_str.at(static_cast<size_t>(nIndex)); }
    void SetAt(int nIndex, wchar_t ch) { m_str.at(static_cast<size_t>(nIndex)) = ch; }
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    operator const wchar_t*() const { return m_str.c_str(); }  // NOLINT: as in MFC
    const wchar_t* GetString() const { return m_str.c_str(); }

    CString& operator=(const wchar_t* psz);
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const wchar_t* psz);
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const wchar_t* b);
    friend CString operator+(const wchar_t* a, const CString& b);
    friend CString operator+(const CString& a, wchar_t ch);
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b);

    int Compare(const wchar_t* psz) const;
    int CompareNoCase(const wchar_t* psz) const;

    // printf-style formatting with the Windows runtime's rules (%s is a wide string, %I64d works).
    void Format(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormat(const wchar_t* pszFormat, ...);

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);
    int Remove(wchar_t ch);

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const wchar_t* pszTargets);
    CString& TrimLeft(const wchar_t* pszTargets);
    CString& TrimRight(const wchar_t* pszTargets);

    // Direct access: the buffer holds at least nMinBufferLength characters plus a terminator.
    wchar_t* GetBuffer(int nMinBufferLength = 0);
    wchar_t* GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    // A string resource of the application's module; a missing one gives an empty string.
    BOOL LoadString(UINT nID);

    const std::wstring& str() const { return m_str; }

private:
    std::wstring m_str;
};
