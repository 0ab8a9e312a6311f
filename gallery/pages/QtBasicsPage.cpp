#include "gallery/pages/QtBasicsPage.h"

#include "gallery/GalleryIds.h"
#include "toolkit/qtcontrols/QtApplicationOnce.h"
#include "platform/qt/QFrame.h"
#include "platform/qt/QHeader.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QScrollView.h"

namespace {

constexpr int kSurface = 2400;  // the scroll view's contents, square

// A frame that names its own shape and shadow in the middle.
class NamedFrame : public QFrame {
public:
    NamedFrame(QWidget* parent, int style, const wchar_t* pszName) : QFrame(parent), m_name(pszName)
    {
        setFrameStyle(style);
        setLineWidth(2);
        setMidLineWidth(1);
    }

protected:
    void drawContents(QPainter* p) override
    {
        p->setPen(colorGroup().text());
        p->drawText(contentsRect(), AlignCenter, m_name);
    }

private:
    QString m_name;
};

// A large surface: a colour ramp with a grid every 100 pixels and its coordinates every 200.
class Surface : public QScrollView {
public:
    explicit Surface(QWidget* parent) : QScrollView(parent)
    {
        viewport()->setBackgroundMode(PaletteBase);
        resizeContents(kSurface, kSurface);
    }

protected:
    void drawContents(QPainter* p, int cx, int cy, int cw, int ch) override
    {
        const int band = 50;
        for (int y = cy - cy % band; y < cy + ch; y += band) {
            for (int x = cx - cx % band; x < cx + cw; x += band)
                p->fillRect(x, y, band, band, QBrush(QColor(235 - x * 80 / kSurface, 240 - y * 60 / kSurface, 250)));
        }
        p->setPen(QColor(160, 175, 200));
        for (int x = cx - cx % 100; x < cx + cw; x += 100)
            p->drawLine(x, cy, x, cy + ch - 1);
        for (int y = cy - cy % 100; y < cy + ch; y += 100)
            p->drawLine(cx, y, cx + cw - 1, y);
        p->setPen(QColor(21, 59, 99));
        for (int y = cy - cy % 200; y < cy + ch + 20; y += 200) {
            for (int x = cx - cx % 200; x < cx + cw + 60; x += 200) {
                if (x != kSurface / 2 || y != kSurface / 2)
                    p->drawText(x + 4, y + 14, QString::number(x) + QString(L", ") + QString::number(y));
            }
        }
        // The middle of the surface.
        p->setPen(QColor(200, 30, 30));
        p->setBrush(QColor(255, 220, 220));
        p->drawRect(kSurface / 2 - 30, kSurface / 2 - 12, 60, 24);
        p->drawText(kSurface / 2 - 30, kSurface / 2 - 12, 60, 24, AlignCenter, QString(L"middle"));
    }
};

// The page's background with a caption over each group.
class Page : public QWidget {
public:
    Page() : QWidget(nullptr, "qtBasicsPage") {}
    QRect m_frames, m_view, m_header;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(colorGroup().foreground());
        p.drawText(m_frames.x(), m_frames.y() - 18, m_frames.width(), 16, AlignLeft | AlignBottom,
                   QString(L"QFrame: Box and WinPanel, each Plain, Raised and Sunken"));
        p.drawText(m_view.x(), m_view.y() - 18, m_view.width(), 16, AlignLeft | AlignBottom,
                   QString(L"QScrollView centred on a 2400 x 2400 surface"));
        p.drawText(m_header.x(), m_header.y() - 18, m_header.width(), 16, AlignLeft | AlignBottom,
                   QString(L"QHeader: three sections, the second held down"));
    }
};

// The toolkit's blues as a palette, so that every shadow reads clearly.
QPalette ToolkitPalette()
{
    QColorGroup g;
    g.setColor(QColorGroup::Foreground, QColor(21, 59, 99));
    g.setColor(QColorGroup::Text, QColor(21, 59, 99));
    g.setColor(QColorGroup::ButtonText, QColor(0, 0, 0));
    g.setColor(QColorGroup::Background, QColor(213, 219, 229));
    g.setColor(QColorGroup::Base, QColor(255, 255, 255));
    g.setColor(QColorGroup::Button, QColor(161, 177, 204));
    g.setColor(QColorGroup::Light, QColor(255, 255, 255));
    g.setColor(QColorGroup::Midlight, QColor(199, 207, 220));
    g.setColor(QColorGroup::Mid, QColor(120, 139, 169));
    g.setColor(QColorGroup::Dark, QColor(80, 101, 138));
    g.setColor(QColorGroup::Shadow, QColor(21, 59, 99));
    g.setColor(QColorGroup::Highlight, QColor(235, 238, 243));
    g.setColor(QColorGroup::HighlightedText, QColor(0, 0, 0));
    return QPalette(g, g, g);
}

}  // namespace

std::unique_ptr<QWidget> CreateQtBasicsPage(HWND hParent, const RECT& rcArea)
{
    auto page = std::make_unique<Page>();
    // The page's own window becomes a child control of the host's window.
    SetWindowLongW(page->winId(), GWL_STYLE, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    SetParent(page->winId(), hParent);
    const int w = rcArea.right - rcArea.left, h = rcArea.bottom - rcArea.top;
    page->setGeometry(rcArea.left, rcArea.top, w, h);
    page->setPalette(ToolkitPalette());

    const int margin = 8, cellW = (w - 4 * margin) / 3 > 60 ? (w - 4 * margin) / 3 : 60, cellH = 44;
    page->m_frames = QRect(margin, 24, w - 2 * margin, 2 * cellH + margin);
    const struct {
        int style;
        const wchar_t* name;
    } frames[] = {
        {QFrame::Box | QFrame::Plain, L"Box, Plain"},         {QFrame::Box | QFrame::Raised, L"Box, Raised"},
        {QFrame::Box | QFrame::Sunken, L"Box, Sunken"},       {QFrame::WinPanel | QFrame::Plain, L"WinPanel, Plain"},
        {QFrame::WinPanel | QFrame::Raised, L"WinPanel, Raised"}, {QFrame::WinPanel | QFrame::Sunken, L"WinPanel, Sunken"},
    };
    for (int i = 0; i < 6; ++i) {
        auto* f = new NamedFrame(page.get(), frames[i].style, frames[i].name);
        f->setGeometry(margin + (i % 3) * (cellW + margin), 24 + (i / 3) * (cellH + margin), cellW, cellH);
    }

    const int headerTop = page->m_frames.y() + page->m_frames.height() + 30;
    auto* header = new QHeader(page.get());
    header->addLabel(QString(L"Name"), 140);
    header->addLabel(QString(L"Folder"), 200);
    header->addLabel(QString(L"Version"), 100);
    header->setSortIndicator(0, true);
    const int headerH = header->sizeHint().height();
    header->setGeometry(margin, headerTop, w - 2 * margin, headerH);
    page->m_header = header->geometry();

    const int viewTop = headerTop + headerH + 30;
    auto* view = new Surface(page.get());
    view->setGeometry(margin, viewTop, w - 2 * margin, h - viewTop - margin > 80 ? h - viewTop - margin : 80);
    page->m_view = view->geometry();

    page->show();
    view->center(kSurface / 2, kSurface / 2);
    // Held down as by the mouse: a press on the second section, the mouse let go of elsewhere.
    const QRect second = header->sectionRect(1);
    SendMessageW(header->winId(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(second.x() + second.width() / 2, second.height() / 2));
    if (GetCapture() == header->winId())
        ReleaseCapture();
    return page;
}

CQtBasicsPage::CQtBasicsPage() = default;
CQtBasicsPage::~CQtBasicsPage()
{
    m_pPage.reset();
}

UINT CQtBasicsPage::TitleId() const
{
    return IDS_PAGE_QT_BASICS;
}

void CQtBasicsPage::Create(CWnd* pParent, const CRect& rcArea)
{
    EnsureQtApplication();
    m_pPage = CreateQtBasicsPage(pParent->m_hWnd, rcArea);
}

void CQtBasicsPage::Destroy()
{
    m_pPage.reset();
}

void CQtBasicsPage::Move(const CRect& rcArea)
{
    if (!m_pPage)
        return;
    const HWND hParent = GetParent(m_pPage->winId());
    m_pPage.reset();
    m_pPage = CreateQtBasicsPage(hParent, rcArea);
}

std::vector<GalleryShot> CQtBasicsPage::Shots() const
{
    return {{L"qt-basics", 0}};
}

HWND CQtBasicsPage::PrepareShot(int)
{
    return m_pPage ? m_pPage->winId() : nullptr;
}
