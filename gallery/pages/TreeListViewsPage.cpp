#include "gallery/pages/TreeListViewsPage.h"

#include "gallery/GalleryIds.h"
#include "toolkit/qtcontrols/QtApplicationOnce.h"
#include "toolkit/qtcontrols/VellListView.h"

#include <commctrl.h>

#include <cwchar>

namespace {

constexpr int kStepTree = 0;
constexpr int kStepList = 1;

// Sizes such as "1 204 KB" by their number, not their text.
int CompareSizes(const CString* pThis, const CString* pOther)
{
    auto value = [](const CString* p) {
        long n = 0;
        for (const wchar_t* s = p->GetString(); *s; ++s) {
            if (*s >= L'0' && *s <= L'9')
                n = n * 10 + (*s - L'0');
        }
        return n;
    };
    const long a = value(pThis);
    const long b = value(pOther);
    return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

CTreeListViewsPage::CTreeListViewsPage() = default;

CTreeListViewsPage::~CTreeListViewsPage()
{
    Destroy();
}

UINT CTreeListViewsPage::TitleId() const
{
    return IDS_PAGE_TREE_LIST_VIEWS;
}

INT_PTR CALLBACK CTreeListViewsPage::FormProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void CTreeListViewsPage::Create(CWnd* pParent, const CRect& rcArea)
{
    EnsureQtApplication();
    // The template's placeholders are Win32 tree and list views.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_hForm = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GALLERY_VIEWS_FORM), pParent->m_hWnd,
                                   FormProc, 0);
    if (!m_hForm)
        return;
    m_form.Attach(m_hForm);
    ::SetWindowPos(m_hForm, nullptr, rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(), SWP_NOZORDER);
    ::SetDlgItemTextW(m_hForm, IDC_GALLERY_VIEWS_TEXT, GalleryString(IDS_TREE_LIST_PAGE_TEXT));

    m_pTree = std::make_unique<CVellTreeView>();
    m_pTree->AttachDlgItem(IDC_GALLERY_VIEWS_TREE, &m_form);
    m_pTree->SetFrameShadow(2);
    m_pTree->SetShowToolTips(FALSE);
    m_pTree->SetUseAmbientFont(FALSE);
    m_pTree->SetFontSize(8, 400);
    FillTree();

    // Set up as the module list sets up its list view.
    m_pList = std::make_unique<CVellListView>();
    m_pList->AttachDlgItem(IDC_GALLERY_VIEWS_LIST, &m_form);
    m_pList->AddColumn(L"Module", 88);
    m_pList->AddColumn(L"Size", 64);
    m_pList->AddColumn(L"Folder", -1);
    LOGFONTW lf{};
    lf.lfHeight = 8;  // taken as points
    lf.lfWeight = FW_BOLD;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    m_headerFont.CreateFontIndirect(&lf);
    m_pList->SetHeaderFont(&m_headerFont);
    m_pList->SetHeaderColors(RGB(146, 170, 232), RGB(0, 0, 0));
    m_pList->SetFrameShadow(2);
    m_pList->SetShowToolTips(FALSE);
    m_pList->SetFocusMode(2);
    m_pList->SetRootIsDecorated(FALSE);
    m_pList->SetUseAmbientFont(FALSE);
    m_pList->SetFontSize(8, 400);
    m_pList->SetColumnCompare(&CompareSizes, 1);
    m_pList->SetColumnAlignment(CVellListBox::kAlignRight, 1);
    m_pList->EnableColumnSorting(TRUE, 0);
    std::vector<int> sortable{0, 1, 2};
    m_pList->SetSortableColumns(sortable);
    m_pList->setShowSortIndicator(true);
    FillList();
    // Sorted by size, largest first: as two clicks on the size section leave it.
    m_pList->setSorting(1, false);
    ::ShowWindow(m_hForm, SW_SHOW);
}

void CTreeListViewsPage::FillTree()
{
    const struct {
        int depth;
        const wchar_t* text;
        bool open;
    } rows[] = {
        {0, L"Cameras", true},
        {1, L"Hall 2", true},
        {2, L"Camera 1", true},
        {3, L"08:00 to 09:00.dvr", false},
        {3, L"09:00 to 10:00.dvr", false},
        {3, L"10:00 to 11:00.dvr", false},
        {2, L"Camera 2", false},
        {3, L"08:00 to 09:00.dvr", false},
        {1, L"Entrance", true},
        {2, L"Door camera", false},
        {3, L"Motion at 08:17.dvr", false},
        {1, L"Loading bay", false},
        {2, L"Bay camera", false},
        {0, L"Exports", true},
        {1, L"Night shift", true},
        {2, L"2026-12-08.zip", false},
        {2, L"2026-12-09.zip", false},
        {0, L"Archive of last week", false},
        {1, L"Week 49", false},
    };
    CVellListItem* pLast[4] = {};   // the last item made at each depth
    CVellListItem* pSelected = nullptr;
    for (const auto& row : rows) {
        CVellListItem* pParent = row.depth > 0 ? pLast[row.depth - 1] : nullptr;
        CVellListItem* pAfter = pLast[row.depth];
        if (pAfter && m_pTree->GetParentItem(pAfter) != pParent)
            pAfter = nullptr;
        CVellListItem* pItem = m_pTree->CreateChildItem(pParent, pAfter);
        m_pTree->SetItemText(pItem, row.text);
        pLast[row.depth] = pItem;
        for (int d = row.depth + 1; d < 4; ++d)
            pLast[d] = nullptr;
        if (!pSelected && row.depth == 3 && std::wcscmp(row.text, L"09:00 to 10:00.dvr") == 0)
            pSelected = pItem;
    }
    // The items in the order of the rows (depth-first): open those marked so.
    int i = 0;
    for (QListViewItemIterator it(m_pTree.get()); it.current(); ++it, ++i) {
        if (i < static_cast<int>(sizeof(rows) / sizeof(rows[0])) && rows[i].open)
            m_pTree->SetItemOpen(static_cast<CVellListItem*>(it.current()), TRUE);
    }
    if (pSelected) {
        m_pTree->SetItemSelected(pSelected, TRUE);
        m_pTree->setCurrentItem(pSelected);
    }
}

void CTreeListViewsPage::FillList()
{
    const struct {
        const wchar_t* module;
        const wchar_t* size;
        const wchar_t* folder;
    } rows[] = {
        {L"Tavisk.exe", L"2 816 KB", L"C:\\Program Files\\Orvane\\Lumbra"},
        {L"TaviskReader.dll", L"1 204 KB", L"C:\\Program Files\\Orvane\\Lumbra"},
        {L"TaviskArchive.dll", L"688 KB", L"C:\\Program Files\\Orvane\\Lumbra"},
        {L"VellToolkit.dll", L"944 KB", L"C:\\Program Files\\Orvane\\Lumbra"},
        {L"LumbraCodec.dll", L"3 520 KB", L"C:\\Program Files\\Orvane\\Lumbra\\codecs"},
        {L"LumbraAudio.dll", L"412 KB", L"C:\\Program Files\\Orvane\\Lumbra\\codecs"},
        {L"kernel32.dll", L"1 108 KB", L"C:\\Windows\\system32"},
        {L"user32.dll", L"1 632 KB", L"C:\\Windows\\system32"},
        {L"gdi32.dll", L"148 KB", L"C:\\Windows\\system32"},
        {L"comctl32.dll", L"2 296 KB", L"C:\\Windows\\system32"},
        {L"shell32.dll", L"7 060 KB", L"C:\\Windows\\system32"},
        {L"ole32.dll", L"1 468 KB", L"C:\\Windows\\system32"},
        {L"advapi32.dll", L"644 KB", L"C:\\Windows\\system32"},
        {L"version.dll", L"36 KB", L"C:\\Windows\\system32"},
        {L"msvcrt.dll", L"632 KB", L"C:\\Windows\\system32"},
        {L"ntdll.dll", L"2 004 KB", L"C:\\Windows\\system32"},
        {L"winmm.dll", L"168 KB", L"C:\\Windows\\system32"},
        {L"uxtheme.dll", L"312 KB", L"C:\\Windows\\system32"},
    };
    CVellListItem* pLast = nullptr;
    int n = 0;
    for (const auto& row : rows) {
        pLast = m_pList->CreateItem(pLast);
        pLast->SetData(n++);
        m_pList->SetItemColumnText(pLast, 0, row.module);
        m_pList->SetItemColumnText(pLast, 1, row.size);
        m_pList->SetItemColumnText(pLast, 2, row.folder);
    }
}

void CTreeListViewsPage::Destroy()
{
    m_pList.reset();
    m_pTree.reset();
    if (m_hForm) {
        m_form.Detach();
        ::DestroyWindow(m_hForm);
        m_hForm = nullptr;
    }
    m_headerFont.DeleteObject();
}

std::vector<GalleryShot> CTreeListViewsPage::Shots() const
{
    return {{L"tree-view", kStepTree}, {L"list-view-sorted", kStepList}};
}

HWND CTreeListViewsPage::PrepareShot(int nStep)
{
    if (!m_pTree || !m_pList)
        return nullptr;
    if (nStep == kStepTree) {
        m_pTree->SetFocus();
    } else {
        // The third row by size is renamed in place.
        m_pList->updateNow();
        CVellListItem* pItem = m_pList->GetItemAt(2);
        if (pItem) {
            m_pList->SetItemSelected(pItem, TRUE);
            pItem->setRenameEnabled(0, true);
            pItem->startRename(0);
        }
    }
    ::RedrawWindow(m_hForm, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return m_hForm;
}

void CTreeListViewsPage::EndShot(int nStep)
{
    // The rename ends as the focus leaves it (and keeps the text).
    if (nStep == kStepList && m_pList)
        m_pList->SetFocus();
}
