#include "unpack/ResourceArchive.h"

#include "unpack/ReportAssertion.h"
#include "unpack/UnpackProgress.h"
#include "unpack/zip/ZipReader.h"
#include "unpack/zip/ZipReaderState.h"
#include "unpack/zip/ZipWin32Output.h"

namespace {

void Check(bool condition, int nLine, const wchar_t* pszExpression)
{
    if (!condition)
        ReportAssertion(kAssertionKind, kLauncherSource, nLine, pszExpression);
}

void CheckZip(ZRESULT zr, int nLine)
{
    Check(zr == ZR_OK, nLine, L"ZR_OK == zr");
}

}  // namespace

void UnpackResourceArchive(HMODULE hModule, const wchar_t* pszName, const wchar_t* pszFolder,
                           UnpackProgress* pProgress)
{
    if (pProgress)
        pProgress->OnArchiveStarted(pszName);
    HRSRC hrsrc = FindResourceW(hModule, pszName, L"FILE");
    Check(hrsrc != nullptr, 239, L"NULL != hrsrc");
    HGLOBAL hglob = LoadResource(hModule, hrsrc);
    Check(hglob != nullptr, 242, L"NULL != hglob");
    const DWORD size = SizeofResource(hModule, hrsrc);
    const void* zbuf = LockResource(hglob);
    Check(zbuf != nullptr, 246, L"NULL != zbuf");

    HZIP hz = ZipOpenMemory(zbuf, size, nullptr);
    Check(hz != nullptr, 249, L"NULL != hz");
    CheckZip(ZipSetBaseFolder(hz, pszFolder), 252);

    ZipItem item;
    CheckZip(ZipGetItem(hz, -1, &item), 256);
    const int count = item.index;
    for (int i = 0; i < count; ++i) {
        CheckZip(ZipGetItem(hz, i, &item), 260);
        ZRESULT zr;
        if (pProgress) {
            zip::Win32Output files;
            ProgressOutput output(files, *pProgress);
            zr = ZipUnzipItemTo(hz, i, item.name, output);
        } else {
            zr = ZipUnzipItem(hz, i, item.name);
        }
        // An empty file reads as "no data": its file exists, and that is all an empty entry needs.
        if (zr == ZR_INFLATE && item.uncompressedSize == 0)
            continue;
        CheckZip(zr, 266);
    }
    ZipClose(hz);
}
