#pragma once
// Property exchange: one function per property moves a named value between an object and a property
// bag, in the direction of the exchange. Loading a name that the bag lacks leaves the value at the
// given default (callers pass the current value to keep it); a value of another type gives the
// default; names the object does not ask for are ignored.
#include "platform/mfc/CString.h"
#include "platform/mfc/PropertyBag.h"

#include <wtypes.h>

class CPropExchange {
public:
    CPropExchange(CPropertyBag& bag, BOOL bLoading) : m_bag(bag), m_bLoading(bLoading) {}
    virtual ~CPropExchange() = default;
    CPropExchange(const CPropExchange&) = delete;
    CPropExchange& operator=(const CPropExchange&) = delete;

    BOOL IsLoading() const { return m_bLoading; }
    CPropertyBag& GetBag() { return m_bag; }

    // Moves one property: vtProp VT_BOOL (pvProp a BOOL), VT_I4 (a LONG) or VT_BSTR (a CString);
    // pvDefault points to a value of the same type. TRUE when the value was read from or written to
    // the bag; FALSE when loading found no value of that type (the default is then stored) or the
    // name or value could not be stored.
    virtual BOOL ExchangeProp(const wchar_t* pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault);

private:
    CPropertyBag& m_bag;
    BOOL m_bLoading;
};

BOOL PX_Bool(CPropExchange* pPX, const wchar_t* pszPropName, BOOL& bValue, BOOL bDefault);
BOOL PX_Long(CPropExchange* pPX, const wchar_t* pszPropName, LONG& nValue, LONG nDefault);
BOOL PX_String(CPropExchange* pPX, const wchar_t* pszPropName, CString& strValue, const CString& strDefault);
