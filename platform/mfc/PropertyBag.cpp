#include "platform/mfc/PropertyBag.h"

#include <cwchar>

namespace {

bool ValidName(const wchar_t* pszName)
{
    if (!pszName)
        return false;
    const size_t nLength = std::wcslen(pszName);
    return nLength > 0 && nLength <= CPropertyBag::kMaxNameLength;
}

}  // namespace

BOOL CPropertyBag::Store(const wchar_t* pszName, Value value)
{
    if (!ValidName(pszName))
        return FALSE;
    m_values[pszName] = std::move(value);
    return TRUE;
}

BOOL CPropertyBag::SetBool(const wchar_t* pszName, BOOL bValue)
{
    return Store(pszName, bValue != FALSE);
}

BOOL CPropertyBag::SetLong(const wchar_t* pszName, LONG nValue)
{
    return Store(pszName, nValue);
}

BOOL CPropertyBag::SetString(const wchar_t* pszName, const wchar_t* pszValue)
{
    return SetString(pszName, std::wstring(pszValue ? pszValue : L""));
}

BOOL CPropertyBag::SetString(const wchar_t* pszName, std::wstring strValue)
{
    if (strValue.size() > kMaxStringLength)
        return FALSE;
    return Store(pszName, std::move(strValue));
}

template <class T>
const T* CPropertyBag::Find(const wchar_t* pszName, Lookup& lookup) const
{
    const auto it = pszName ? m_values.find(pszName) : m_values.end();
    if (it == m_values.end()) {
        lookup = Lookup::missing;
        return nullptr;
    }
    const T* pValue = std::get_if<T>(&it->second);
    lookup = pValue ? Lookup::found : Lookup::wrongType;
    return pValue;
}

CPropertyBag::Lookup CPropertyBag::GetBool(const wchar_t* pszName, BOOL& bValue) const
{
    Lookup lookup;
    if (const bool* p = Find<bool>(pszName, lookup))
        bValue = *p ? TRUE : FALSE;
    return lookup;
}

CPropertyBag::Lookup CPropertyBag::GetLong(const wchar_t* pszName, LONG& nValue) const
{
    Lookup lookup;
    if (const LONG* p = Find<LONG>(pszName, lookup))
        nValue = *p;
    return lookup;
}

CPropertyBag::Lookup CPropertyBag::GetString(const wchar_t* pszName, std::wstring& strValue) const
{
    Lookup lookup;
    if (const std::wstring* p = Find<std::wstring>(pszName, lookup))
        strValue = *p;
    return lookup;
}

BOOL CPropertyBag::Remove(const wchar_t* pszName)
{
    return pszName && m_values.erase(pszName) > 0;
}
