#pragma once
// UTF-16 text with Qt 3's null/empty distinction and the few operations the list controls use.
#include "platform/qt/QtGlobal.h"

#include <string>
#include <vector>

class QString {
public:
    QString() = default;  // null
    QString(const wchar_t* psz) : m_str(psz ? psz : L""), m_bNull(psz == nullptr) {}
    QString(const std::wstring& s) : m_str(s), m_bNull(false) {}
    QString(const char* pszLatin1);  // Latin-1, as Qt 3 reads a char*; null stays null
    static QString fromUtf8(const char* psz, int len = -1);
    static QString fromLatin1(const char* psz) { return QString(psz); }
    static QString number(int n);

    bool isNull() const { return m_bNull; }
    bool isEmpty() const { return m_str.empty(); }
    uint length() const { return static_cast<uint>(m_str.size()); }
    const wchar_t* ucs2() const { return m_str.c_str(); }
    const std::wstring& str() const { return m_str; }
    std::string utf8() const;
    std::string latin1() const;

    QString left(uint n) const { return QString(m_str.substr(0, n)); }
    QString right(uint n) const { return QString(n >= m_str.size() ? m_str : m_str.substr(m_str.size() - n)); }
    QString mid(uint index, uint len = 0xffffffff) const;
    QString stripWhiteSpace() const;
    QString lower() const;
    QString upper() const;
    int find(const QString& s, int index = 0) const;
    int compare(const QString& other) const { return m_str.compare(other.m_str); }
    int localeAwareCompare(const QString& other) const;
    QString& append(const QString& s) { m_str += s.m_str; m_bNull = false; return *this; }
    QString& prepend(const QString& s) { m_str.insert(0, s.m_str); m_bNull = false; return *this; }
    QString& fill(wchar_t c, int len) { m_str.assign(static_cast<size_t>(len < 0 ? 0 : len), c); m_bNull = false; return *this; }
    QString& operator+=(const QString& s) { return append(s); }
    QString& operator+=(wchar_t c) { m_str += c; m_bNull = false; return *this; }
    wchar_t operator[](uint i) const { return i < m_str.size() ? m_str[i] : 0; }

    friend QString operator+(const QString& a, const QString& b) { QString r(a); return r.append(b); }
    friend bool operator==(const QString& a, const QString& b) { return a.m_str == b.m_str; }
    friend bool operator!=(const QString& a, const QString& b) { return a.m_str != b.m_str; }
    friend bool operator<(const QString& a, const QString& b) { return a.m_str < b.m_str; }

private:
    std::wstring m_str;
    bool m_bNull = true;
};

class QStringList : public std::vector<QString> {
public:
    void append(const QString& s) { push_back(s); }
    uint count() const { return static_cast<uint>(size()); }
};
