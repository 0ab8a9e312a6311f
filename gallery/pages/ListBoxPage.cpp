#include "gallery/pages/ListBoxPage.h"

#include "gallery/GalleryIds.h"
#include "toolkit/qtcontrols/QtApplicationOnce.h"
#include "platform/qt/QPainter.h"
#include "toolkit/qtcontrols/VellListBox.h"

#include <cmath>

namespace {

constexpr int kStepEnabled = 0;
constexpr int kStepDisabled = 1;
constexpr int kPicture = 14;

// A small picture on a transparent square: a filled disc (kind 0), a document (1) or a folder (2).
QPixmap MakePicture(int nKind, const QColor& fill)
{
    QPixmap picture(kPicture, kPicture);
    picture.fill(Qt::white);
    QBitmap mask(kPicture, kPicture, true);
    QPainter p(&picture);
    QPainter m(&mask);
    p.setPen(QColor(21, 59, 99));
    p.setBrush(fill);
    m.setPen(Qt::color1);
    m.setBrush(Qt::color1);
    switch (nKind) {
    case 0:
        // A disc, row by row, with its rim in the pen's colour.
        for (int y = 1; y < 13; ++y) {
            const double dy = y + 0.5 - 7.0;
            const int half = static_cast<int>(std::sqrt(36.0 - dy * dy) + 0.5);
            p.setPen(fill);
            p.drawLine(7 - half, y, 6 + half, y);
            p.setPen(QColor(21, 59, 99));
            p.drawPoint(7 - half, y);
            p.drawPoint(6 + half, y);
            m.drawLine(7 - half, y, 6 + half, y);
        }
        break;
    case 1:
        p.drawRect(2, 0, 10, 14);
        p.drawLine(4, 4, 9, 4);
        p.drawLine(4, 7, 9, 7);
        p.drawLine(4, 10, 9, 10);
        m.drawRect(2, 0, 10, 14);
        break;
    default:
        p.drawRect(0, 3, 14, 10);
        p.drawRect(0, 1, 6, 3);
        m.drawRect(0, 3, 14, 10);
        m.drawRect(0, 1, 6, 3);
        break;
    }
    p.end();
    m.end();
    picture.setMask(mask);
    return picture;
}

}  // namespace

CListBoxPage::CListBoxPage() = default;

CListBoxPage::~CListBoxPage()
{
    Destroy();
}

UINT CListBoxPage::TitleId() const
{
    return IDS_PAGE_LIST_BOX;
}

INT_PTR CALLBACK CListBoxPage::FormProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void CListBoxPage::Create(CWnd* pParent, const CRect& rcArea)
{
    EnsureQtApplication();
    m_hForm = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GALLERY_LIST_FORM), pParent->m_hWnd,
                                   FormProc, 0);
    if (!m_hForm)
        return;
    m_form.Attach(m_hForm);
    ::SetWindowPos(m_hForm, nullptr, rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(), SWP_NOZORDER);
    ::SetDlgItemTextW(m_hForm, IDC_GALLERY_LIST_TEXT, GalleryString(IDS_LIST_BOX_PAGE_TEXT));

    m_pList = std::make_unique<CVellListBox>();
    m_pList->AttachDlgItem(IDC_GALLERY_LIST, &m_form);
    m_pList->setHScrollBarMode(QScrollView::AlwaysOn);
    m_pList->setVScrollBarMode(QScrollView::AlwaysOn);
    m_pList->SetTextIndent(4, 0);
    Fill();
    ::ShowWindow(m_hForm, SW_SHOW);
}

void CListBoxPage::Fill()
{
    const QPixmap disc = MakePicture(0, QColor(240, 190, 60));
    const QPixmap document = MakePicture(1, QColor(255, 255, 255));
    const QPixmap folder = MakePicture(2, QColor(160, 190, 235));
    const struct {
        const wchar_t* text;
        const wchar_t* back;
        const wchar_t* fore;
        const QPixmap* picture;
    } rows[] = {
        {L"Hall 2, camera 1 - 2026-12-09 08:00 to 09:00.dvr", nullptr, nullptr, &document},
        {L"Hall 2, camera 2 - 2026-12-09 08:00 to 09:00.dvr", nullptr, nullptr, &document},
        {L"Entrance - motion at 08:17 (marked)", L"#fff2c0", L"#8a4b00", &disc},
        {L"Entrance - motion at 08:42", nullptr, nullptr, &document},
        {L"Loading bay - recording gap 08:51 to 08:53", L"#ffd8d8", L"#b00000", &disc},
        {L"Loading bay - 2026-12-09 09:00 to 10:00.dvr", nullptr, nullptr, &document},
        {L"Exports of the night shift", nullptr, L"#1d5c2e", &folder},
        {L"Car park - 2026-12-09 07:00 to 08:00.dvr", nullptr, nullptr, &document},
        {L"Car park - 2026-12-09 08:00 to 09:00.dvr", nullptr, nullptr, &document},
        {L"Office corridor - 2026-12-09 08:00 to 09:00.dvr", nullptr, nullptr, &document},
        {L"Office corridor - door held open 08:34 (marked)", L"#fff2c0", L"#8a4b00", &disc},
        {L"Stairs - 2026-12-09 08:00 to 09:00.dvr", nullptr, nullptr, &document},
        {L"Stairs - 2026-12-09 09:00 to 10:00.dvr", nullptr, nullptr, &document},
        {L"Archive of last week", nullptr, L"#1d5c2e", &folder},
    };
    CVellListItem* pLast = nullptr;
    CVellListItem* pSelected = nullptr;
    int i = 0;
    for (const auto& row : rows) {
        pLast = m_pList->CreateItem(pLast);
        m_pList->SetItemText(pLast, row.text);
        if (row.back)
            pLast->SetBackColor(QString(row.back));
        if (row.fore)
            pLast->SetTextColor(QString(row.fore));
        pLast->SetClosedPixmap(*row.picture);
        if (i++ == 3)
            pSelected = pLast;
    }
    m_pList->SetItemSelected(pSelected, TRUE);
    m_pList->setCurrentItem(pSelected);
}

void CListBoxPage::Destroy()
{
    m_pList.reset();
    if (m_hForm) {
        m_form.Detach();
        ::DestroyWindow(m_hForm);
        m_hForm = nullptr;
    }
}

BOOL CListBoxPage::OnCommand(UINT, UINT)
{
    return FALSE;
}

std::vector<GalleryShot> CListBoxPage::Shots() const
{
    return {{L"list-box", kStepEnabled}, {L"list-box-disabled", kStepDisabled}};
}

HWND CListBoxPage::PrepareShot(int nStep)
{
    if (!m_pList)
        return nullptr;
    m_pList->SetEnabled(nStep != kStepDisabled);
    ::RedrawWindow(m_hForm, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return m_hForm;
}

void CListBoxPage::EndShot(int)
{
    if (m_pList)
        m_pList->SetEnabled(TRUE);
}
