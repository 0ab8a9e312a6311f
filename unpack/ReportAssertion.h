#pragma once
// The launcher's only failure report: one line on the debugger output, then exit code 1.
#include <windows.h>

// The kind and source name of the launcher's report lines; support staff know them by heart.
constexpr const wchar_t* kAssertionKind = L"Assertion";
constexpr const wchar_t* kLauncherSource = L".\\Lumbra";

// Writes "<kind>: <source>/<line>: <expression> (e:<last error>)\r\n" and ends the process.
[[noreturn]] void ReportAssertion(const wchar_t* pszKind, const wchar_t* pszSource, int nLine,
                                  const wchar_t* pszExpression);

// Writes the report line for dwError without ending the process.
void WriteAssertionLine(const wchar_t* pszKind, const wchar_t* pszSource, int nLine, const wchar_t* pszExpression,
                        DWORD dwError);

// The same line as ReportAssertion writes, with the error given.
void FormatAssertionLine(wchar_t (&buffer)[256], const wchar_t* pszKind, const wchar_t* pszSource,
                         int nLine, const wchar_t* pszExpression, DWORD dwError);
