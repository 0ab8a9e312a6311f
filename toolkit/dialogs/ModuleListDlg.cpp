#include "toolkit/dialogs/ModuleListDlg.h"

#include <commctrl.h>

#include "platform/mfc/AfxState.h"
#include "platform/mfc/AfxSystemModule.h"
#include "platform/mfc/DataExchange.h"
#include "resources/ResourceIds.h"
#include "toolkit/dialogs/ModuleEnumeration.h"
#include "toolkit/qtcontrols/QtConversions.h"
#include "toolkit/qtcontrols/QtApplicationOnce.h"
#include "toolkit/version/ZebFileVersion.h"

IMPLEMENT_DYNAMIC(CModuleListDlg, CVellDialog)

BEGIN_MESSAGE_MAP(CModuleListDlg, CVellDialog)
    ON_MESSAGE(WM_VELLBUTTON_CHECK, OnCheckChanged)
END_MESSAGE_MAP()

namespace {

constexpr int kTextBufferLength = 512;
constexpr int kHeaderFontHeight = 10;
constexpr int kListFontSize = 8;
constexpr int kCheckFontSize = 16;

// The template's list-view placeholder needs the common controls' window classes; the list view
// that replaces it is ours.
void RegisterPlaceholderClasses()
{
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (const auto pfnInit = AfxSystemProc<InitFn>(L"comctl32.dll", "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        pfnInit(&controls);
    }
}

// The list view runs on the Qt application object; it must exist before the list view is built,
// that is, before the dialog's members.
CWnd* PrepareForList(CWnd* pParentWnd)
{
    EnsureQtApplication();
    RegisterPlaceholderClasses();
    return pParentWnd;
}

}  // namespace

CModuleListDlg::CModuleListDlg(CWnd* pParentWnd) : CVellDialog(IDD_MODULE_LIST, PrepareForList(pParentWnd))
{
}

CModuleListDlg::~CModuleListDlg()
{
    // The window goes while the controls still exist.
    if (m_hWnd)
        DestroyWindow();
}

CString CModuleListDlg::LoadText(UINT nId)
{
    // The program's own module, as it was at the first text read.
    static const HINSTANCE s_hInstance = AfxGetInstanceHandle();
    wchar_t szText[kTextBufferLength] = {};
    if (::LoadStringW(s_hInstance, nId, szText, kTextBufferLength) <= 0)
        return CString();
    return CString(szText);
}

void CModuleListDlg::DoDataExchange(CDataExchange* pDX)
{
    CVellDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CModuleListDlg::OnInitDialog()
{
    CVellDialog::OnInitDialog();
    SetCaptionWithAppTitle(LoadText(IDS_MODULE_LIST_CAPTION).GetString());
    m_btnOK.SetWindowText(LoadText(IDS_MODULE_OK));
    SetUpList();
    SetUpCheckBox();
    FillList(0, FALSE);
    return TRUE;
}

void CModuleListDlg::SetUpList()
{
    m_list.AttachDlgItem(IDC_MODULE_LIST, this);
    // Straight onto the list: every column sorts by the list's own text order.
    const UINT columnTexts[3] = {IDS_MODULE_COLUMN_NAME, IDS_MODULE_COLUMN_FOLDER, IDS_MODULE_COLUMN_VERSION};
    for (int i = 0; i < 3; ++i)
        m_list.QListView::addColumn(CStringToQString(LoadText(columnTexts[i])), kColumnWidths[i]);
    m_list.QListView::setAllColumnsShowFocus(true);

    CFont headerFont;
    if (headerFont.CreateFont(kHeaderFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial"))
        m_list.SetHeaderFont(&headerFont);  // copied by the list; ours goes at the end of the block
    m_list.SetHeaderColors(kHeaderButtonColor, kHeaderBaseColor);

    m_list.SetFrameShadow(2);
    m_list.SetShowToolTips(FALSE);
    m_list.SetFocusMode(2);
    m_list.SetRootIsDecorated(FALSE);
    m_list.SetUseAmbientFont(FALSE);
    m_list.SetFontSize(kListFontSize, FW_NORMAL);
    m_list.EnableColumnSorting(TRUE, 0);
    std::vector<int> sortable{0, 1, 2};
    m_list.SetSortableColumns(sortable);
}

void CModuleListDlg::SetUpCheckBox()
{
    m_chkAll.AttachDlgItem(IDC_MODULE_SHOW_ALL, this);
    m_chkAll.SetButtonStyle(CVellBitmapButton::StyleCheckBox);
    m_chkAll.SetUseDrawFrame(FALSE);
    m_chkAll.SetWindowText(LoadText(IDS_MODULE_SHOW_ALL));
    m_chkAll.SetFontSize(kCheckFontSize, FW_BOLD);
    m_chkAll.SetBackColor(kCheckBackColor);
    m_chkAll.SetUseAmbientBackColor(FALSE);
    m_chkAll.SetForeColor(RGB(0, 0, 0));
    m_chkAll.SetUseAmbientForeColor(FALSE);
    m_chkAll.SetUseAmbientFont(FALSE);
    m_chkAll.SetPictureUp(IDB_CHECK_CLEARED);
    m_chkAll.SetPictureDown(IDB_CHECK_CHECKED);
    m_chkAll.SetPictureSelected(IDB_CHECK_CHECKED);
    m_chkAll.SetPictureDisabled(IDB_CHECK_DISABLED);
    m_chkAll.SetPictureDisabledAndSelected(IDB_CHECK_DISABLED_CHECKED);
    m_chkAll.SetCheck(0);
}

LRESULT CModuleListDlg::OnCheckChanged(WPARAM, LPARAM)
{
    const int nCheck = m_chkAll.GetCheck();
    m_list.Clear();
    FillList(0, nCheck == 1);
    return 0;
}

BOOL CModuleListDlg::GetPlatformVersion(OSVERSIONINFOW& version)
{
    version = OSVERSIONINFOW{};
    version.dwOSVersionInfoSize = sizeof(version);
    return ::GetVersionExW(&version);
}

BOOL CModuleListDlg::EnumerateModules(DWORD dwProcessId, std::list<CString>& modules)
{
    modules.clear();
    OSVERSIONINFOW version{};
    if (!GetPlatformVersion(version))
        return FALSE;
    return UseToolHelpForModules(version) ? EnumerateModulesWithToolHelp(dwProcessId, modules)
                                          : EnumerateModulesWithProcessStatus(dwProcessId, modules);
}

void CModuleListDlg::FillList(DWORD dwProcessId, BOOL bShowAll)
{
    std::list<CString> modules;
    if (!EnumerateModules(dwProcessId, modules))
        return;
    CVellListItem* pPrevious = nullptr;
    for (const CString& strPath : modules) {
        const ModulePathParts parts = SplitModulePath(strPath);
        const CZeb_FileVersion version(strPath.GetString(), 1200, 2057);
        if (!bShowAll && version.m_strCompanyName.Find(kMakerName) < 0)
            continue;
        CVellListItem* pItem = m_list.CreateItem(pPrevious);
        pItem->SetData(0);
        pItem->setText(0, CStringToQString(parts.strName));
        pItem->setText(1, CStringToQString(parts.strFolder));
        pItem->setText(2, CStringToQString(version.GetFileVersionText()));
        pPrevious = pItem;
    }
}
