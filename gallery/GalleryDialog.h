#pragma once
// The gallery's main window: a styled, resizable dialog with the list of pages on the left and the
// selected page on the right. With a screenshot folder it walks every picture of every page, saves
// each as <folder>\<name>.bmp and ends itself.
#include "gallery/GalleryIds.h"
#include "gallery/GalleryPage.h"
#include "toolkit/style/VellDialog.h"

#include <deque>

class CGalleryDialog : public CVellDialog {
public:
    // pszShotFolder: nullptr for an interactive run.
    explicit CGalleryDialog(const wchar_t* pszShotFolder = nullptr);
    ~CGalleryDialog() override;

    // Pictures that could not be saved in a screenshot run.
    int FailedShots() const { return m_nFailedShots; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnPageSelected();
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnNextShot(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnMenuCommand(UINT nID);
    void OnUpdateStatusBar(CCmdUI* pCmdUI);
    void OnUpdateGrid(CCmdUI* pCmdUI);
    void OnUpdateZoom50(CCmdUI* pCmdUI);
    void OnUpdateZoom100(CCmdUI* pCmdUI);
    void OnUpdateZoom200(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    struct PendingShot {
        size_t nPage;
        GalleryShot shot;
    };

    void ShowPage(size_t nPage);
    CRect PageArea() const;
    void TakeShot();
    // Pictures for the menu items that have one.
    void SetMenuIcons();

    CVellMenu m_contextMenu;
    BOOL m_bStatusBar = TRUE;
    BOOL m_bGrid = FALSE;
    UINT m_nZoom = ID_VIEW_ZOOM_100;

    std::vector<std::unique_ptr<CGalleryPage>> m_pages;
    size_t m_nCurrent = SIZE_MAX;
    CString m_strShotFolder;
    std::deque<PendingShot> m_shots;
    HWND m_hShotWindow = nullptr;
    int m_nFailedShots = 0;
    int m_nShotDelays = 0;  // how often the current picture was put off
};
