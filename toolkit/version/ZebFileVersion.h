#pragma once
// Version numbers and the strings our dialogs show, read from one executable file's version resource.
#include <windows.h>

#include "platform/mfc/CString.h"

class CZeb_FileVersion {
public:
    // No path (or an empty one) reads the running executable. A path that is not an existing file is
    // looked up by its file name and extension next to the running executable. The string table is
    // the one for wLanguage/dwCodePage (2057/1200: "080904b0"); the file's own translation list is not
    // consulted. The calling thread's locale is the same afterwards as before.
    explicit CZeb_FileVersion(const wchar_t* pszPath = nullptr, DWORD dwCodePage = 1200, WORD wLanguage = 2057);
    virtual ~CZeb_FileVersion() = default;

    virtual void Clear();
    virtual BOOL IsEmpty() const;
    // Copies the path, the numbers and the strings; keeps this object's language, code page and locales.
    virtual void Assign(const CZeb_FileVersion& other);

    CString GetFileVersionText() const;     // "18.10.115.0"
    CString GetProductVersionText() const;  // "3.30"
    CString GetCopyrightText() const;       // LegalCopyright, a blank, CompanyName; "(C)" becomes "©"

    WORD m_wLanguage;
    DWORD m_dwCodePage;
    LCID m_lcidSaved;  // the thread locale before construction
    LCID m_lcidUsed;   // the thread locale while the file was read
    CString m_strPath; // empty until a read succeeds

    ULONGLONG m_productVersionMS = 0;
    ULONGLONG m_productVersionLS = 0;
    ULONGLONG m_fileVersionMS = 0;
    ULONGLONG m_fileVersionLS = 0;

    CString m_strCompanyName;
    CString m_strFileDescription;
    CString m_strLegalCopyright;
    CString m_strProductName;

private:
    static CString ChooseFile(const wchar_t* pszPath);
    void ReadVersionInfo(const CString& path);
    CString QueryString(const void* pBlock, const wchar_t* pszName) const;
};
