#include "platform/qt/QString.h"

#include <windows.h>

#include <cwctype>

QString::QString(const char* pszLatin1) : m_bNull(pszLatin1 == nullptr)
{
    if (pszLatin1) {
        for (const char* p = pszLatin1; *p; ++p)
            m_str += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    }
}

QString QString::fromUtf8(const char* psz, int len)
{
    if (!psz)
        return QString();
    const int cb = len < 0 ? static_cast<int>(strlen(psz)) : len;
    std::wstring out(static_cast<size_t>(cb), L'\0');
    const int n = cb ? MultiByteToWideChar(CP_UTF8, 0, psz, cb, out.data(), cb) : 0;
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
    return QString(out);
}

QString QString::number(int n)
{
    return QString(std::to_wstring(n));
}

std::string QString::utf8() const
{
    if (m_str.empty())
        return std::string();
    const int cch = static_cast<int>(m_str.size());
    const int cb = WideCharToMultiByte(CP_UTF8, 0, m_str.data(), cch, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_UTF8, 0, m_str.data(), cch, out.data(), cb, nullptr, nullptr);
    return out;
}

std::string QString::latin1() const
{
    std::string out;
    for (wchar_t c : m_str)
        out += c < 256 ? static_cast<char>(c) : '?';
    return out;
}

QString QString::mid(uint index, uint len) const
{
    if (index >= m_str.size())
        return QString(L"");
    return QString(m_str.substr(index, len));
}

QString QString::stripWhiteSpace() const
{
    size_t b = 0;
    size_t e = m_str.size();
    while (b < e && std::iswspace(m_str[b]))
        ++b;
    while (e > b && std::iswspace(m_str[e - 1]))
        --e;
    QString r(m_str.substr(b, e - b));
    r.m_bNull = m_bNull;
    return r;
}

QString QString::lower() const
{
    std::wstring s = m_str;
    if (!s.empty())
        CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return QString(s);
}

QString QString::upper() const
{
    std::wstring s = m_str;
    if (!s.empty())
        CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return QString(s);
}

int QString::find(const QString& s, int index) const
{
    if (index < 0)
        return -1;
    const size_t pos = m_str.find(s.m_str, static_cast<size_t>(index));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int QString::localeAwareCompare(const QString& other) const
{
    const int r = CompareStringW(LOCALE_USER_DEFAULT, 0, m_str.c_str(), static_cast<int>(m_str.size()),
                                 other.m_str.c_str(), static_cast<int>(other.m_str.size()));
    return r == 0 ? compare(other) : r - CSTR_EQUAL;
}
