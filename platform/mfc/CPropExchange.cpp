#include "platform/mfc/CPropExchange.h"

namespace {

template <class T, class Stored>
BOOL Load(CPropertyBag::Lookup lookup, const Stored& stored, void* pvProp, const void* pvDefault)
{
    T& value = *static_cast<T*>(pvProp);
    if (lookup == CPropertyBag::Lookup::found) {
        value = T(stored);
        return TRUE;
    }
    if (pvDefault)
        value = *static_cast<const T*>(pvDefault);
    return FALSE;
}

}  // namespace

BOOL CPropExchange::ExchangeProp(const wchar_t* pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (!pszPropName || !pvProp)
        return FALSE;
    switch (vtProp) {
    case VT_BOOL: {
        if (!m_bLoading)
            return m_bag.SetBool(pszPropName, *static_cast<const BOOL*>(pvProp));
        BOOL b = FALSE;
        return Load<BOOL>(m_bag.GetBool(pszPropName, b), b, pvProp, pvDefault);
    }
    case VT_I4: {
        if (!m_bLoading)
            return m_bag.SetLong(pszPropName, *static_cast<const LONG*>(pvProp));
        LONG n = 0;
        return Load<LONG>(m_bag.GetLong(pszPropName, n), n, pvProp, pvDefault);
    }
    case VT_BSTR: {
        if (!m_bLoading)
            return m_bag.SetString(pszPropName, static_cast<const CString*>(pvProp)->str());
        std::wstring str;
        const CPropertyBag::Lookup lookup = m_bag.GetString(pszPropName, str);
        return Load<CString>(lookup, CString(str.c_str(), static_cast<int>(str.size())), pvProp, pvDefault);
    }
    default: return FALSE;
    }
}

BOOL PX_Bool(CPropExchange* pPX, const wchar_t* pszPropName, BOOL& bValue, BOOL bDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_BOOL, &bValue, &bDefault);
}

BOOL PX_Long(CPropExchange* pPX, const wchar_t* pszPropName, LONG& nValue, LONG nDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_I4, &nValue, &nDefault);
}

BOOL PX_String(CPropExchange* pPX, const wchar_t* pszPropName, CString& strValue, const CString& strDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_BSTR, &strValue, &strDefault);
}
