#include "gallery/pages/ModuleListPage.h"

#include "gallery/GalleryIds.h"
#include "gallery/pages/SplashAboutPage.h"
#include "resources/ResourceIds.h"

namespace {
constexpr int kStepMakerModules = 0;
constexpr int kStepAllModules = 1;
constexpr UINT kAfterListOpens = 200;  // ms

// The thread's module list window, or null.
HWND FindModuleList()
{
    HWND hFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, IDC_MODULE_SHOW_ALL)) {
                *reinterpret_cast<HWND*>(lParam) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

void SetControlKey(bool bDown)
{
    BYTE keys[256] = {};
    if (!::GetKeyboardState(keys))
        return;
    keys[VK_CONTROL] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// Inside the list's modal loop: Ctrl is let go.
void CALLBACK ReleaseControl(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    SetControlKey(false);
}

}  // namespace

UINT CModuleListPage::TitleId() const
{
    return IDS_PAGE_MODULE_LIST;
}

void CModuleListPage::Create(CWnd* pParent, const CRect& rcArea)
{
    m_pParent = pParent;
    const int x = rcArea.left, y = rcArea.top;
    m_controls.AddText(pParent, GalleryString(IDS_MODULE_LIST_PAGE_TEXT), CRect(x, y, rcArea.right, y + 48));
    m_controls.AddButton(pParent, IDC_GALLERY_ABOUT_FOR_MODULES, L"Open the about form", CRect(x, y + 56, x + 200, y + 80));
    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_MODULE_LIST, L"Open it with its module list", CRect(x, y + 86, x + 200, y + 110));
}

void CModuleListPage::Destroy()
{
    m_controls.DestroyAll();
    m_pAbout.reset();
}

HWND CModuleListPage::ShowAbout()
{
    m_pAbout = OpenAboutForm(m_pParent);
    return m_pAbout ? m_pAbout->m_hWnd : nullptr;
}

void CModuleListPage::PressCtrlM()
{
    if (!m_pAbout || !m_pAbout->m_bitmap.m_hWnd)
        return;
    // The form reads the Ctrl key's state when the key arrives.
    SetControlKey(true);
    ::PostMessageW(m_pAbout->m_bitmap.m_hWnd, WM_KEYDOWN, 'M', 0x00320001);
}

BOOL CModuleListPage::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED)
        return FALSE;
    if (nID == IDC_GALLERY_ABOUT_FOR_MODULES) {
        ShowAbout();
    } else if (nID == IDC_GALLERY_OPEN_MODULE_LIST) {
        if (ShowAbout()) {
            PressCtrlM();
            ::SetTimer(nullptr, 0, kAfterListOpens, ReleaseControl);
        }
    } else {
        return FALSE;
    }
    return TRUE;
}

std::vector<GalleryShot> CModuleListPage::Shots() const
{
    return {{L"module-list", kStepMakerModules}, {L"module-list-all", kStepAllModules}};
}

HWND CModuleListPage::PrepareShot(int)
{
    m_pAbout.reset();
    if (!ShowAbout())
        return nullptr;
    PressCtrlM();
    // The about form with the list over it, and the gallery behind.
    return nullptr;
}

BOOL CModuleListPage::IsShotReady(int nStep)
{
    HWND hList = FindModuleList();
    if (!hList)
        return FALSE;  // still reading the modules, or not shown yet
    SetControlKey(false);
    HWND hBox = ::GetDlgItem(hList, IDC_MODULE_SHOW_ALL);
    if (nStep == kStepAllModules && ::SendMessageW(hBox, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        // Ticked with the space bar, as a user would; the list is built again at once.
        ::SendMessageW(hBox, WM_KEYDOWN, VK_SPACE, 0x00390001);
        ::SendMessageW(hBox, WM_KEYUP, VK_SPACE, 0xC0390001);
        return FALSE;
    }
    return TRUE;
}

void CModuleListPage::EndShot(int)
{
    // The picture is taken inside the list's modal loop: the list ends first, the form once the
    // loop has returned (the next shot or the page's end).
    if (HWND hList = FindModuleList())
        ::PostMessageW(hList, WM_COMMAND, IDOK, 0);
    if (m_pAbout && m_pAbout->m_hWnd)
        m_pAbout->ShowWindow(SW_HIDE);
}
