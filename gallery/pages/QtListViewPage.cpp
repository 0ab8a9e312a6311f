#include "gallery/pages/QtListViewPage.h"

#include "gallery/GalleryIds.h"
#include "platform/qt/QApplication.h"
#include "toolkit/qtcontrols/QtApplicationOnce.h"
#include "platform/qt/QHeader.h"
#include "platform/qt/QListView.h"
#include "platform/qt/QPainter.h"

namespace {

// The page's background with a caption over each list.
class Page : public QWidget {
public:
    Page() : QWidget(nullptr, "qtListViewPage") {}
    QRect m_tree, m_flat;
    QListView* m_pFlat = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(colorGroup().foreground());
        p.drawText(m_tree.x(), m_tree.y() - 18, m_tree.width(), 16, AlignLeft | AlignBottom,
                   QString(L"A tree sorted by name, three items selected (Ctrl and Shift)"));
        p.drawText(m_flat.x(), m_flat.y() - 18, m_flat.width(), 16, AlignLeft | AlignBottom,
                   QString(L"Single selection, sizes aligned right, a name being renamed"));
    }
};

QPalette ListPalette()
{
    QColorGroup g;
    g.setColor(QColorGroup::Foreground, QColor(21, 59, 99));
    g.setColor(QColorGroup::Text, QColor(0, 0, 0));
    g.setColor(QColorGroup::ButtonText, QColor(0, 0, 0));
    g.setColor(QColorGroup::Background, QColor(213, 219, 229));
    g.setColor(QColorGroup::Base, QColor(255, 255, 255));
    g.setColor(QColorGroup::Button, QColor(161, 177, 204));
    g.setColor(QColorGroup::Light, QColor(255, 255, 255));
    g.setColor(QColorGroup::Midlight, QColor(199, 207, 220));
    g.setColor(QColorGroup::Mid, QColor(120, 139, 169));
    g.setColor(QColorGroup::Dark, QColor(80, 101, 138));
    g.setColor(QColorGroup::Shadow, QColor(21, 59, 99));
    g.setColor(QColorGroup::Highlight, QColor(21, 59, 99));
    g.setColor(QColorGroup::HighlightedText, QColor(255, 255, 255));
    return QPalette(g, g, g);
}

void FillTree(QListView* lv)
{
    const struct {
        const wchar_t* folder;
        const wchar_t* const files[4];
    } groups[] = {
        {L"System", {L"kernel32.dll", L"user32.dll", L"gdi32.dll", L"comctl32.dll"}},
        {L"Viewer", {L"Tavisk.exe", L"TaviskReader.dll", L"TaviskArchiveReaderWithAVeryLongName.dll", nullptr}},
        {L"Runtime", {L"atl90.dll", L"msvcr90.dll", nullptr, nullptr}},
    };
    const wchar_t* versions[] = {L"6.1.7601", L"10.0.19041", L"3.2.118", L"9.0.30729"};
    int n = 0;
    for (const auto& g : groups) {
        auto* folder = new QListViewItem(lv, QString(g.folder), QString(L""), QString(L"C:\\") + QString(g.folder));
        for (const wchar_t* f : g.files) {
            if (f)
                new QListViewItem(folder, QString(f), QString(versions[n++ % 4]), QString(L"C:\\") + QString(g.folder));
        }
        folder->setOpen(g.folder[0] != L'R');
    }
}

}  // namespace

std::unique_ptr<QWidget> CreateQtListViewPage(HWND hParent, const RECT& rcArea)
{
    auto page = std::make_unique<Page>();
    SetWindowLongW(page->winId(), GWL_STYLE, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    SetParent(page->winId(), hParent);
    const int w = rcArea.right - rcArea.left, h = rcArea.bottom - rcArea.top;
    page->setGeometry(rcArea.left, rcArea.top, w, h);
    page->setPalette(ListPalette());
    const int margin = 8, top = 24;
    const int treeH = (h - top - 3 * margin - 24) * 3 / 5 > 80 ? (h - top - 3 * margin - 24) * 3 / 5 : 80;

    auto* tree = new QListView(page.get());
    tree->addColumn(QString(L"Name"), 210);
    tree->addColumn(QString(L"Version"), 90);
    tree->addColumn(QString(L"Folder"), 120);
    tree->setRootIsDecorated(true);
    tree->setShowSortIndicator(true);
    tree->setSorting(0, true);
    tree->setSelectionMode(QListView::Extended);
    tree->setAllColumnsShowFocus(true);
    FillTree(tree);
    tree->setGeometry(margin, top, w - 2 * margin, treeH);
    page->m_tree = tree->geometry();
    tree->updateNow();
    // Three rows selected as by a click, Shift+click and Ctrl+click.
    QListViewItem* system = tree->findItem(QString(L"System"), 0);
    QListViewItem* first = system ? system->firstChild() : nullptr;
    QListViewItem* second = first ? first->nextSibling() : nullptr;
    QListViewItem* viewer = tree->findItem(QString(L"Tavisk.exe"), 0);
    for (QListViewItem* i : {first, second, viewer}) {
        if (i)
            i->setSelected(true);
    }
    if (viewer)
        tree->setCurrentItem(viewer);

    auto* flat = new QListView(page.get());
    flat->addColumn(QString(L"File"), 200);
    flat->addColumn(QString(L"Size"), 80);
    flat->setColumnAlignment(1, Qt::AlignRight);
    flat->setSorting(-1);
    QListViewItem* after = nullptr;
    const wchar_t* names[] = {L"Tavisk.exe", L"Help_en.chm", L"Lang_en.dll", L"ReadMe.txt", L"Licence.txt"};
    const wchar_t* sizes[] = {L"2,411 KB", L"840 KB", L"96 KB", L"3 KB", L"12 KB"};
    for (int i = 0; i < 5; ++i) {
        after = new QListViewItem(flat, after, QString(names[i]), QString(sizes[i]));
        after->setRenameEnabled(0, true);
    }
    const int flatTop = top + treeH + margin + 24;
    flat->setGeometry(margin, flatTop, w - 2 * margin, h - flatTop - margin > 60 ? h - flatTop - margin : 60);
    page->m_flat = flat->geometry();
    page->m_pFlat = flat;
    flat->updateNow();
    flat->setSelected(flat->firstChild()->nextSibling(), true);
    page->show();
    return page;
}

CQtListViewPage::CQtListViewPage() = default;
CQtListViewPage::~CQtListViewPage()
{
    m_pPage.reset();
}

UINT CQtListViewPage::TitleId() const { return IDS_PAGE_QT_LIST_VIEW; }

void CQtListViewPage::Create(CWnd* pParent, const CRect& rcArea)
{
    EnsureQtApplication();
    m_pPage = CreateQtListViewPage(pParent->m_hWnd, rcArea);
}

void CQtListViewPage::Destroy() { m_pPage.reset(); }

void CQtListViewPage::Move(const CRect& rcArea)
{
    if (!m_pPage)
        return;
    const HWND hParent = GetParent(m_pPage->winId());
    m_pPage.reset();
    m_pPage = CreateQtListViewPage(hParent, rcArea);
}

std::vector<GalleryShot> CQtListViewPage::Shots() const { return {{L"qt-listview", 0}}; }

HWND CQtListViewPage::PrepareShot(int)
{
    if (!m_pPage)
        return nullptr;
    auto* page = static_cast<Page*>(m_pPage.get());
    QApplication::sendPostedEvents();
    if (QListViewItem* i = page->m_pFlat->firstChild()->nextSibling()->nextSibling())
        i->startRename(0);
    UpdateWindow(m_pPage->winId());
    RedrawWindow(m_pPage->winId(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return m_pPage->winId();
}

void CQtListViewPage::EndShot(int)
{
    if (m_pPage) {
        auto* page = static_cast<Page*>(m_pPage.get());
        page->m_pFlat->setFocus();
    }
}
