#pragma once
// The version library's three functions, loaded from the system folder when first called. The
// version library is not one of the DLLs the system always loads from its own folder, so importing
// it would let a same-named file beside the program load before the program's first line runs.
#include <windows.h>

DWORD AfxGetFileVersionInfoSize(LPCWSTR pszFile, LPDWORD pdwHandle);
BOOL AfxGetFileVersionInfo(LPCWSTR pszFile, DWORD dwHandle, DWORD dwLength, LPVOID pData);
BOOL AfxVerQueryValue(LPCVOID pBlock, LPCWSTR pszSubBlock, LPVOID* ppBuffer, PUINT puLength);
