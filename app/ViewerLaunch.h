#pragma once
// Starting the viewer from the working folder and waiting for it.
#include "platform/mfc/CString.h"

// "<folder>Tavisk.exe" /l<code> "<file>": the executable path is quoted, so a folder with blanks
// can never make the system start another program.
CString BuildViewerCommandLine(const CString& strFolder, const CString& strLanguage, const CString& strFile);

// Starts the viewer in a job, hides hSplash once the viewer is idle for input (also when the start
// failed), and waits for the viewer and then for every process it started. Where no job can be used,
// waits for the viewer alone. hKeepAlive (may be null) is copied into the viewer, so whatever it keeps
// alive lives as long as the viewer too. Returns 0, or the system's error when the viewer did not start.
DWORD RunViewer(const CString& strCommandLine, HWND hSplash, HANDLE hKeepAlive = nullptr);
