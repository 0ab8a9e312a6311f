#include "unpack/ReportAssertion.h"

#include <cwchar>

void FormatAssertionLine(wchar_t (&buffer)[256], const wchar_t* pszKind, const wchar_t* pszSource,
                         int nLine, const wchar_t* pszExpression, DWORD dwError)
{
    // _snwprintf leaves no terminator when it truncates: always end the buffer ourselves.
    _snwprintf(buffer, 255, L"%s: %s/%d: %s (e:%08x)\r\n", pszKind, pszSource, nLine, pszExpression,
               static_cast<unsigned>(dwError));
    buffer[255] = L'\0';
}

void WriteAssertionLine(const wchar_t* pszKind, const wchar_t* pszSource, int nLine, const wchar_t* pszExpression,
                        DWORD dwError)
{
    wchar_t buffer[256];
    FormatAssertionLine(buffer, pszKind, pszSource, nLine, pszExpression, dwError);
    OutputDebugStringW(buffer);
}

void ReportAssertion(const wchar_t* pszKind, const wchar_t* pszSource, int nLine,
                     const wchar_t* pszExpression)
{
    WriteAssertionLine(pszKind, pszSource, nLine, pszExpression, GetLastError());
    ExitProcess(1);
}
