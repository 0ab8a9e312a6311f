#pragma once
// The module list: every module (executable or library) loaded in the process, with its folder and
// file version. By default only the maker's own modules show, recognised by the company name in
// their version information; the check box shows all of them. The about form opens it on Ctrl+M.
//
// A Qt application object is made before the list view is built, when the program has none yet.
#include <list>

#include "toolkit/buttons/VellButton.h"
#include "toolkit/qtcontrols/VellListView.h"
#include "toolkit/style/VellDialog.h"

class CModuleListDlg : public CVellDialog {
    DECLARE_DYNAMIC(CModuleListDlg)
public:
    // Widths of the name, folder and version columns, in pixels.
    static constexpr int kColumnWidths[3] = {125, 275, 115};
    // The company name of the maker's modules contains this text (case counts).
    static constexpr const wchar_t* kMakerName = L"Ferrund";
    static constexpr COLORREF kHeaderButtonColor = RGB(146, 170, 232);
    static constexpr COLORREF kHeaderBaseColor = RGB(0, 0, 0);
    static constexpr COLORREF kCheckBackColor = RGB(161, 177, 204);

    explicit CModuleListDlg(CWnd* pParentWnd = nullptr);
    ~CModuleListDlg() override;

    // The full paths of the process's modules (0: this process). TRUE when the list was filled.
    virtual BOOL EnumerateModules(DWORD dwProcessId, std::list<CString>& modules);
    // Appends a row for each module that passes the filter (every module when bShowAll is set).
    virtual void FillList(DWORD dwProcessId, BOOL bShowAll);

    // A text of the running program's string table; empty when it has none.
    static CString LoadText(UINT nId);

    CVellListView m_list;
    CVellButton m_chkAll;
    CVellButton m_btnOK;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The check box changed: the list is built again from a fresh enumeration.
    LRESULT OnCheckChanged(WPARAM wParam, LPARAM lParam);
    // The platform the enumeration route is chosen by.
    virtual BOOL GetPlatformVersion(OSVERSIONINFOW& version);

    void SetUpList();
    void SetUpCheckBox();

    DECLARE_MESSAGE_MAP()
};
