#include "platform/mfc/OleAutomation.h"

#include "platform/mfc/AfxSystemModule.h"

#include <utility>

namespace {

template <typename Function>
Function Automation(const char* pszProc)
{
    return AfxSystemProc<Function>(L"oleaut32.dll", pszProc);
}

}  // namespace

BSTR AfxSysAllocStringLen(const wchar_t* pch, UINT nLength)
{
    using Fn = BSTR(WINAPI*)(const OLECHAR*, UINT);
    static const Fn pfn = Automation<Fn>("SysAllocStringLen");
    return pfn ? pfn(pch, nLength) : nullptr;
}

BSTR AfxSysAllocString(const wchar_t* psz)
{
    return AfxSysAllocStringLen(psz ? psz : L"", psz ? static_cast<UINT>(lstrlenW(psz)) : 0);
}

void AfxSysFreeString(BSTR bstr)
{
    if (!bstr)
        return;
    using Fn = void(WINAPI*)(BSTR);
    static const Fn pfn = Automation<Fn>("SysFreeString");
    if (pfn)
        pfn(bstr);
}

UINT AfxSysStringLen(BSTR bstr)
{
    // The length prefix in front of the characters, in bytes.
    return bstr ? reinterpret_cast<const UINT*>(bstr)[-1] / sizeof(wchar_t) : 0;
}

BOOL AfxSystemTimeToVariantTime(const SYSTEMTIME& st, DATE* pDate)
{
    using Fn = INT(WINAPI*)(LPSYSTEMTIME, DOUBLE*);
    static const Fn pfn = Automation<Fn>("SystemTimeToVariantTime");
    SYSTEMTIME copy = st;
    return pfn && pDate && pfn(&copy, pDate) != 0;
}

BOOL AfxVariantTimeToSystemTime(DATE date, SYSTEMTIME* pst)
{
    using Fn = INT(WINAPI*)(DOUBLE, LPSYSTEMTIME);
    static const Fn pfn = Automation<Fn>("VariantTimeToSystemTime");
    return pfn && pst && pfn(date, pst) != 0;
}

CBstr& CBstr::operator=(CBstr&& other) noexcept
{
    if (this != &other) {
        AfxSysFreeString(m_bstr);
        m_bstr = other.Detach();
    }
    return *this;
}

BSTR CBstr::Detach()
{
    return std::exchange(m_bstr, nullptr);
}
