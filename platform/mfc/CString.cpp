#include "platform/mfc/CString.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>

CString::CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}

CString::CString(const wchar_t* pch, int nLength)
    : m_str(pch && nLength > 0 ? std::wstring(pch, static_cast<size_t>(nLength)) : std::wstring())
{
}

CString::CString(wchar_t ch, int nRepeat) : m_str(static_cast<size_t>(std::max(nRepeat, 0)), ch) {}

CString::CString(const char* psz)
{
    if (!psz || !*psz)
        return;
    int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (n <= 1)
        return;
    m_str.resize(static_cast<size_t>(n - 1));
    MultiByteToWideChar(CP_ACP, 0, psz, -1, m_str.data(), n);
}

CString& CString::operator=(const wchar_t* psz)
{
    m_str = psz ? psz : L"";
    return *this;
}

CString& CString::operator+=(const wchar_t* psz)
{
    if (psz)
        m_str += psz;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t ch)
{
    CString r(a);
    r += ch;
    return r;
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.m_str == (b ? b : L"");
}

int CString::Compare(const wchar_t* psz) const
{
    return wcscmp(m_str.c_str(), psz ? psz : L"");
}

int CString::CompareNoCase(const wchar_t* psz) const
{
    return _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

void CString::FormatV(const wchar_t* pszFormat, va_list args)
{
    // _vsnwprintf reports truncation with -1; grow until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = _vsnwprintf(buffer.data(), buffer.size() - 1, pszFormat, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size() - 1) {
            m_str.assign(buffer.data(), static_cast<size_t>(n));
            return;
        }
        if (buffer.size() > (1u << 24)) {  // a format that cannot fit: keep what there is
            buffer.back() = L'\0';
            m_str = buffer.data();
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
}

void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...)
{
    CString tail;
    va_list args;
    va_start(args, pszFormat);
    tail.FormatV(pszFormat, args);
    va_end(args);
    m_str += tail.m_str;
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (wchar_t& c : m_str) {
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::wstring from(pszOld), to(pszNew ? pszNew : L"");
    int count = 0;
    std::wstring out;
    size_t pos = 0;
    for (size_t hit; (hit = m_str.find(from, pos)) != std::wstring::npos; pos = hit + from.size()) {
        out.append(m_str, pos, hit - pos);
        out += to;
        ++count;
    }
    if (count) {
        out.append(m_str, pos, std::wstring::npos);
        m_str.swap(out);
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    auto end = std::remove(m_str.begin(), m_str.end(), ch);
    int count = static_cast<int>(m_str.end() - end);
    m_str.erase(end, m_str.end());
    return count;
}

CString CString::Left(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.c_str(), nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.c_str() + (GetLength() - nCount), nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.c_str() + nFirst, nCount);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && iswspace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && iswspace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::Trim(const wchar_t* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft(const wchar_t* pszTargets)
{
    if (pszTargets)
        m_str.erase(0, std::min(m_str.find_first_not_of(pszTargets), m_str.size()));
    return *this;
}

CString& CString::TrimRight(const wchar_t* pszTargets)
{
    if (pszTargets) {
        size_t last = m_str.find_last_not_of(pszTargets);
        m_str.resize(last == std::wstring::npos ? 0 : last + 1);
    }
    return *this;
}

wchar_t* CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufferLength));
    return m_str.data();
}

wchar_t* CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
}

BOOL CString::LoadString(UINT nID)
{
    wchar_t buffer[512];
    int n = ::LoadStringW(GetModuleHandleW(nullptr), nID, buffer, 512);
    m_str.assign(buffer, static_cast<size_t>(std::max(n, 0)));
    return n > 0;
}
