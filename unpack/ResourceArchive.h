#pragma once
// Unpacks one embedded zip archive (a resource of type "FILE") into a folder.
#include <windows.h>

class UnpackProgress;

// Writes every entry of the archive resource pszName of hModule under pszFolder (a separator is added
// when it does not end in one), the files on nWorkers threads (0: as many as the machine suits).
// Returns only on success: any failure is reported with ReportAssertion and ends the process, naming
// the failing entry with the lowest index as an entry-by-entry run would. pProgress, when given, hears
// on the calling thread of the bytes written while the workers write.
void UnpackResourceArchive(HMODULE hModule, const wchar_t* pszName, const wchar_t* pszFolder,
                           UnpackProgress* pProgress = nullptr, unsigned nWorkers = 0);
