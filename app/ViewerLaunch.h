#pragma once
// Starting the viewer from the working folder and waiting for it.
#include "platform/mfc/CString.h"

// "<folder>Tavisk.exe" /l<code> "<file>": the executable path is quoted, so a folder with blanks
// can never make the system start another program.
CString BuildViewerCommandLine(const CString& strFolder, const CString& strLanguage, const CString& strFile);

// Starts the viewer, hides hSplash once the viewer is idle for input (also when the start failed),
// and waits for the viewer to end. Returns 0, or the system's error when the viewer did not start.
DWORD RunViewer(const CString& strCommandLine, HWND hSplash);
