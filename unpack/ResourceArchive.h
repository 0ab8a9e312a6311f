#pragma once
// Unpacks one embedded zip archive (a resource of type "FILE") into a folder.
#include <windows.h>

class UnpackProgress;

// Writes every entry of the archive resource pszName of hModule under pszFolder (which ends in "\\").
// Returns only on success: any failure is reported with ReportAssertion and ends the process.
// pProgress, when given, hears of every write as it happens.
void UnpackResourceArchive(HMODULE hModule, const wchar_t* pszName, const wchar_t* pszFolder,
                           UnpackProgress* pProgress = nullptr);
