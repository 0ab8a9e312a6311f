#pragma once
// The source line numbers of the launcher's report lines: support staff know each failure by its
// number, so every one is listed here, and nowhere else.
enum ReportLine : int {
    kLineTempPath = 201,         // "0 != GetTempPath(MAX_PATH, szTempPath)"
    kLineWorkingFolder = 218,    // "CreateDirectory(szWorkDir, NULL)"
    kLineFindResource = 239,     // "NULL != hrsrc"
    kLineLoadResource = 242,     // "NULL != hglob"
    kLineLockResource = 246,     // "NULL != zbuf"
    kLineOpenArchive = 249,      // "NULL != hz"
    kLineSetBaseFolder = 252,    // "ZR_OK == zr"
    kLineEntryCount = 256,       // "ZR_OK == zr"
    kLineGetItem = 260,          // "ZR_OK == zr"
    kLineUnzipItem = 266,        // "ZR_OK == zr"
    kLineStartViewer = 301,      // "CreateProcess(NULL, szCmdLine, ...)"
};
