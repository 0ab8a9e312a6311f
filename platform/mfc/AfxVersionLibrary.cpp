#include "platform/mfc/AfxVersionLibrary.h"

#include "platform/mfc/AfxSystemModule.h"

namespace {

constexpr wchar_t kVersionLibrary[] = L"version.dll";

// What a missing library or function looks like to the caller: the call fails with a reason.
template <typename Result>
Result Unavailable()
{
    SetLastError(ERROR_PROC_NOT_FOUND);
    return Result();
}

}  // namespace

DWORD AfxGetFileVersionInfoSize(LPCWSTR pszFile, LPDWORD pdwHandle)
{
    using Fn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    static const Fn pfn = AfxSystemProc<Fn>(kVersionLibrary, "GetFileVersionInfoSizeW");
    return pfn ? pfn(pszFile, pdwHandle) : Unavailable<DWORD>();
}

BOOL AfxGetFileVersionInfo(LPCWSTR pszFile, DWORD dwHandle, DWORD dwLength, LPVOID pData)
{
    using Fn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    static const Fn pfn = AfxSystemProc<Fn>(kVersionLibrary, "GetFileVersionInfoW");
    return pfn ? pfn(pszFile, dwHandle, dwLength, pData) : Unavailable<BOOL>();
}

BOOL AfxVerQueryValue(LPCVOID pBlock, LPCWSTR pszSubBlock, LPVOID* ppBuffer, PUINT puLength)
{
    using Fn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    static const Fn pfn = AfxSystemProc<Fn>(kVersionLibrary, "VerQueryValueW");
    return pfn ? pfn(pBlock, pszSubBlock, ppBuffer, puLength) : Unavailable<BOOL>();
}
