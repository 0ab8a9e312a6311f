// VellGallery.exe: every feature of the toolkit on a page of its own.
//   VellGallery.exe                  the gallery, to look at and try out
//   VellGallery.exe /shots <folder>  saves every page's pictures as BMP files in <folder> and ends;
//                                    exit code 1 when a picture could not be saved
#include "gallery/GalleryDialog.h"

#include "platform/mfc/CWinApp.h"
#include "toolkit/menu/MenuHook.h"

#include <cwchar>
#include <cstdlib>

namespace {

class CGalleryApp : public CWinApp {
public:
    CGalleryApp() : CWinApp(L"Vell Gallery") {}

    BOOL InitInstance() override
    {
        const wchar_t* pszShotFolder = nullptr;
        for (int i = 1; i + 1 < __argc; ++i)
            if (std::wcscmp(__wargv[i], L"/shots") == 0)
                pszShotFolder = __wargv[i + 1];

        CGalleryDialog dlg(pszShotFolder);
        if (dlg.DoModal() == -1)
            SetExitCode(2);
        else if (dlg.FailedShots())
            SetExitCode(1);
        return FALSE;
    }
};

// Popup menus in the toolkit's look, as in the launcher.
CVellMenuHook theMenuHook;
CGalleryApp theApp;

}  // namespace
