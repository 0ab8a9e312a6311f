#include "toolkit/version/ZebFileVersion.h"

#include "platform/mfc/AfxVersionLibrary.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

// Longer string values are outside what our dialogs lay out.
constexpr size_t kMaxStringValue = 255;

// Puts the thread locale back however the constructor ends.
class ThreadLocaleRestorer {
public:
    explicit ThreadLocaleRestorer(LCID lcid) : m_lcid(lcid) {}
    ~ThreadLocaleRestorer() { SetThreadLocale(m_lcid); }
    ThreadLocaleRestorer(const ThreadLocaleRestorer&) = delete;
    ThreadLocaleRestorer& operator=(const ThreadLocaleRestorer&) = delete;

private:
    LCID m_lcid;
};

CString ExecutablePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return CString();
        if (n < buffer.size())
            return CString(buffer.data(), static_cast<int>(n));
        if (buffer.size() >= 32768)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
}

// Index just past the drive and folder part of a path (0 for a bare file name).
int FileNameStart(const CString& path)
{
    for (int i = path.GetLength(); i > 0; --i) {
        wchar_t ch = path[i - 1];
        if (ch == L'\\' || ch == L'/' || ch == L':')
            return i;
    }
    return 0;
}

bool IsExistingFile(const CString& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString FullPath(const CString& path)
{
    DWORD n = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::vector<wchar_t> buffer(n);
    n = GetFullPathNameW(path, n, buffer.data(), nullptr);
    if (n == 0 || n >= buffer.size())
        return path;
    return CString(buffer.data(), static_cast<int>(n));
}

} // namespace

CZeb_FileVersion::CZeb_FileVersion(const wchar_t* pszPath, DWORD dwCodePage, WORD wLanguage)
    : m_wLanguage(wLanguage), m_dwCodePage(dwCodePage)
{
    // Reading runs under the requested locale where the system has it installed.
    m_lcidSaved = GetThreadLocale();
    const LCID requested = MAKELCID(wLanguage, SORT_DEFAULT);
    m_lcidUsed = IsValidLocale(requested, LCID_INSTALLED) ? requested : m_lcidSaved;
    ThreadLocaleRestorer restorer(m_lcidSaved);
    if (!SetThreadLocale(m_lcidUsed))
        SetThreadLocale(m_lcidSaved);

    ReadVersionInfo(ChooseFile(pszPath));
}

CString CZeb_FileVersion::ChooseFile(const wchar_t* pszPath)
{
    const CString executable = ExecutablePath();
    CString path(pszPath ? pszPath : L"");
    path.Trim();
    if (path.IsEmpty())
        return executable;
    if (IsExistingFile(path))
        return FullPath(path);
    // Anything else, a folder included, names a file next to the executable.
    return executable.Left(FileNameStart(executable)) + path.Mid(FileNameStart(path));
}

void CZeb_FileVersion::ReadVersionInfo(const CString& file)
{
    Clear();
    CString path(file);
    path.Trim();
    if (!path.IsEmpty()) {
        DWORD attributes = GetFileAttributesW(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
    }

    DWORD handle = 0;
    const DWORD size = AfxGetFileVersionInfoSize(path, &handle);
    if (size == 0)
        return;
    std::vector<BYTE> block(size);
    if (!AfxGetFileVersionInfo(path, 0, size, block.data()))
        return;

    void* pValue = nullptr;
    UINT length = 0;
    if (!AfxVerQueryValue(block.data(), L"\\", &pValue, &length) || !pValue
        || length < sizeof(VS_FIXEDFILEINFO))
        return;
    const auto* pFixed = static_cast<const VS_FIXEDFILEINFO*>(pValue);

    m_strPath = path;
    m_productVersionMS = pFixed->dwProductVersionMS;
    m_productVersionLS = pFixed->dwProductVersionLS;
    m_fileVersionMS = pFixed->dwFileVersionMS;
    m_fileVersionLS = pFixed->dwFileVersionLS;

    m_strCompanyName = QueryString(block.data(), L"CompanyName");
    m_strFileDescription = QueryString(block.data(), L"FileDescription");
    m_strLegalCopyright = QueryString(block.data(), L"LegalCopyright");
    m_strProductName = QueryString(block.data(), L"ProductName");
}

CString CZeb_FileVersion::QueryString(const void* pBlock, const wchar_t* pszName) const
{
    CString subBlock;
    subBlock.Format(L"\\StringFileInfo\\%04x%04x\\%s", static_cast<unsigned>(m_wLanguage),
                    static_cast<unsigned>(m_dwCodePage), pszName);
    void* pValue = nullptr;
    UINT length = 0;
    if (!AfxVerQueryValue(const_cast<void*>(pBlock), subBlock, &pValue, &length) || !pValue || length == 0)
        return CString();
    const auto* pText = static_cast<const wchar_t*>(pValue);
    const size_t limit = std::min<size_t>(length, kMaxStringValue);
    return CString(pText, static_cast<int>(wcsnlen(pText, limit)));
}

void CZeb_FileVersion::Clear()
{
    m_strPath.Empty();
    m_productVersionMS = 0;
    m_productVersionLS = 0;
    m_fileVersionMS = 0;
    m_fileVersionLS = 0;
    m_strCompanyName.Empty();
    m_strFileDescription.Empty();
    m_strLegalCopyright.Empty();
    m_strProductName.Empty();
}

BOOL CZeb_FileVersion::IsEmpty() const
{
    return m_strPath.IsEmpty() && m_productVersionMS == 0 && m_productVersionLS == 0 && m_fileVersionMS == 0
        && m_fileVersionLS == 0 && m_strCompanyName.IsEmpty() && m_strFileDescription.IsEmpty()
        && m_strLegalCopyright.IsEmpty() && m_strProductName.IsEmpty();
}

void CZeb_FileVersion::Assign(const CZeb_FileVersion& other)
{
    if (&other == this)
        return;
    m_strPath = other.m_strPath;
    m_productVersionMS = other.m_productVersionMS;
    m_productVersionLS = other.m_productVersionLS;
    m_fileVersionMS = other.m_fileVersionMS;
    m_fileVersionLS = other.m_fileVersionLS;
    m_strCompanyName = other.m_strCompanyName;
    m_strFileDescription = other.m_strFileDescription;
    m_strLegalCopyright = other.m_strLegalCopyright;
    m_strProductName = other.m_strProductName;
}

CString CZeb_FileVersion::GetFileVersionText() const
{
    CString text;
    text.Format(L"%I64d.%I64d.%I64d.%I64d", static_cast<long long>(m_fileVersionMS >> 16 & 0xFFFF),
                static_cast<long long>(m_fileVersionMS & 0xFFFF), static_cast<long long>(m_fileVersionLS >> 16 & 0xFFFF),
                static_cast<long long>(m_fileVersionLS & 0xFFFF));
    return text;
}

CString CZeb_FileVersion::GetProductVersionText() const
{
    CString text;
    text.Format(L"%I64d.%I64d", static_cast<long long>(m_productVersionMS >> 16 & 0xFFFF),
                static_cast<long long>(m_productVersionMS & 0xFFFF));
    return text;
}

CString CZeb_FileVersion::GetCopyrightText() const
{
    CString text;
    text.Format(L"%s %s", m_strLegalCopyright.GetString(), m_strCompanyName.GetString());
    text.Replace(L"(C)", L"\u00A9");
    return text;
}
