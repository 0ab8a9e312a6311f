#pragma once
// OLE automation strings (BSTR) and date conversion. The automation library is loaded from the
// system folder the first time one of these is called, never at start-up; when it cannot be loaded,
// allocation gives null and the conversions fail.
#include <windows.h>

#include <oleauto.h>

// SysAllocStringLen: a new BSTR of nLength characters copied from pch (null: left undefined), or null.
BSTR AfxSysAllocStringLen(const wchar_t* pch, UINT nLength);
BSTR AfxSysAllocString(const wchar_t* psz);
void AfxSysFreeString(BSTR bstr);
// The length in characters; 0 for null.
UINT AfxSysStringLen(BSTR bstr);

// The system's OLE date conversions; FALSE when they fail or are not available.
BOOL AfxSystemTimeToVariantTime(const SYSTEMTIME& st, DATE* pDate);
BOOL AfxVariantTimeToSystemTime(DATE date, SYSTEMTIME* pst);

// An owned BSTR, freed when the holder goes. Move-only.
class CBstr {
public:
    CBstr() = default;
    // Takes ownership of a BSTR that the caller was given (for example by a Get...Text call).
    explicit CBstr(BSTR bstr) : m_bstr(bstr) {}
    ~CBstr() { AfxSysFreeString(m_bstr); }
    CBstr(CBstr&& other) noexcept : m_bstr(other.Detach()) {}
    CBstr& operator=(CBstr&& other) noexcept;
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    BSTR Get() const { return m_bstr; }
    // The text; an empty string for a null BSTR.
    const wchar_t* c_str() const { return m_bstr ? m_bstr : L""; }
    UINT Length() const { return AfxSysStringLen(m_bstr); }
    BSTR Detach();

private:
    BSTR m_bstr = nullptr;
};
