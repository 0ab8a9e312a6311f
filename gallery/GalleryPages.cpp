// The list of pages: each toolkit feature adds its page here.
#include "gallery/GalleryPage.h"

#include "gallery/pages/ButtonsPage.h"
#include "gallery/pages/ControlTextPage.h"
#include "gallery/pages/ListBoxPage.h"
#include "gallery/pages/MenusPage.h"
#include "gallery/pages/ModuleListPage.h"
#include "gallery/pages/QtBasicsPage.h"
#include "gallery/pages/QtListViewPage.h"
#include "gallery/pages/SplashAboutPage.h"
#include "gallery/pages/StyledDialogsPage.h"
#include "gallery/pages/TreeListViewsPage.h"

std::vector<std::unique_ptr<CGalleryPage>> MakeGalleryPages()
{
    std::vector<std::unique_ptr<CGalleryPage>> pages;
    pages.push_back(std::make_unique<CStyledDialogsPage>());
    pages.push_back(std::make_unique<CSplashAboutPage>());
    pages.push_back(std::make_unique<CMenusPage>());
    pages.push_back(std::make_unique<CQtBasicsPage>());
    pages.push_back(std::make_unique<CQtListViewPage>());
    pages.push_back(std::make_unique<CControlTextPage>());
    pages.push_back(std::make_unique<CListBoxPage>());
    pages.push_back(std::make_unique<CTreeListViewsPage>());
    pages.push_back(std::make_unique<CButtonsPage>());
    pages.push_back(std::make_unique<CModuleListPage>());
    return pages;
}

CString GalleryString(UINT nID)
{
    wchar_t sz[512] = {};
    ::LoadStringW(::GetModuleHandleW(nullptr), nID, sz, 512);
    return CString(sz);
}
