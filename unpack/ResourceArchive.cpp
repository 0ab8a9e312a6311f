#include "unpack/ResourceArchive.h"

#include "unpack/ReportAssertion.h"
#include "unpack/ReportLines.h"
#include "unpack/UnpackProgress.h"
#include "unpack/zip/ZipPaths.h"
#include "unpack/zip/ZipReader.h"
#include "unpack/zip/ZipWin32Output.h"

#include <atomic>

namespace {

// Ends the process with the report line when the condition fails. The line carries dwError as its
// system error, or the calling thread's last error when none is given.
void Check(bool condition, ReportLine nLine, const wchar_t* pszExpression, DWORD dwError = ERROR_SUCCESS)
{
    if (condition)
        return;
    if (dwError != ERROR_SUCCESS)
        SetLastError(dwError);
    ReportAssertion(kAssertionKind, kLauncherSource, nLine, pszExpression);
}

// The system error that best says why the reader failed: the file system's own for a file that could
// not be created or written, else what the result means.
DWORD SystemErrorOf(ZRESULT zr, DWORD dwFileError)
{
    switch (zr) {
    case ZR_OK:
        return ERROR_SUCCESS;
    case ZR_CANTOPEN:
    case ZR_WRITEERR:
        return dwFileError != ERROR_SUCCESS ? dwFileError : (zr == ZR_CANTOPEN ? ERROR_OPEN_FAILED : ERROR_WRITE_FAULT);
    case ZR_BADPASSWORD:
        return ERROR_INVALID_PASSWORD;
    case ZR_BADARGS:
    case ZR_WRONGMODE:
        return ERROR_INVALID_PARAMETER;
    default:  // ZR_BADARCHIVE, ZR_READERR, ZR_INFLATE: the archive's data are damaged
        return ERROR_FILE_CORRUPT;
    }
}

void CheckZip(ZRESULT zr, ReportLine nLine, DWORD dwFileError = ERROR_SUCCESS)
{
    Check(zr == ZR_OK, nLine, L"ZR_OK == zr", SystemErrorOf(zr, dwFileError));
}

// Counts the bytes that the workers write; the calling thread passes them on to the observer.
class CountingProgress final : public UnpackProgress {
public:
    void OnArchiveStarted(const wchar_t*) override {}
    void OnBytesWritten(uint64_t nBytes) override { m_nWritten.fetch_add(nBytes, std::memory_order_relaxed); }

    void PassOn(UnpackProgress& observer)
    {
        const uint64_t nWritten = m_nWritten.load(std::memory_order_relaxed);
        if (nWritten != m_nPassed) {
            observer.OnBytesWritten(nWritten - m_nPassed);
            m_nPassed = nWritten;
        }
    }

private:
    std::atomic<uint64_t> m_nWritten{0};
    uint64_t m_nPassed = 0;  // calling thread only
};

}  // namespace

void UnpackResourceArchive(HMODULE hModule, const wchar_t* pszName, const wchar_t* pszFolder,
                           UnpackProgress* pProgress, unsigned nWorkers)
{
    if (pProgress)
        pProgress->OnArchiveStarted(pszName);
    HRSRC hrsrc = FindResourceW(hModule, pszName, L"FILE");
    Check(hrsrc != nullptr, kLineFindResource, L"NULL != hrsrc");
    HGLOBAL hglob = LoadResource(hModule, hrsrc);
    Check(hglob != nullptr, kLineLoadResource, L"NULL != hglob");
    const DWORD size = SizeofResource(hModule, hrsrc);
    const void* zbuf = LockResource(hglob);
    Check(zbuf != nullptr, kLineLockResource, L"NULL != zbuf");

    // The folder is this run's own: files that an earlier run left read-only there are replaced.
    std::wstring strFolder(pszFolder);
    zip::AddTrailingSeparator(strFolder);
    zip::Win32Output files(strFolder);
    CountingProgress counter;
    ProgressOutput withProgress(files, counter);
    zip::Output& output = pProgress ? static_cast<zip::Output&>(withProgress) : files;

    // The archive is read in place, straight from the mapped resource: never copied.
    HZIP hz = ZipOpenMemoryWith(zbuf, size, nullptr, output);
    Check(hz != nullptr, kLineOpenArchive, L"NULL != hz", ERROR_FILE_CORRUPT);
    CheckZip(ZipSetBaseFolder(hz, pszFolder), kLineSetBaseFolder);

    ZipItem item;
    CheckZip(ZipGetItem(hz, -1, &item), kLineEntryCount);
    ZipUnzipAllFailure failure;
    const ZRESULT zr = ZipUnzipAll(hz, nWorkers ? nWorkers : ZipDefaultWorkers(), &failure, [&] {
        if (pProgress)
            counter.PassOn(*pProgress);
    });
    if (pProgress)
        counter.PassOn(*pProgress);
    CheckZip(zr, failure.atGetItem ? kLineGetItem : kLineUnzipItem, failure.systemError);
    ZipClose(hz);
}
