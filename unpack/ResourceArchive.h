#pragma once
// Unpacks one embedded zip archive (a resource of type "FILE") into a folder.
#include <windows.h>

// Writes every entry of the archive resource pszName of hModule under pszFolder (which ends in "\\").
// Returns only on success: any failure is reported with ReportAssertion and ends the process.
void UnpackResourceArchive(HMODULE hModule, const wchar_t* pszName, const wchar_t* pszFolder);
