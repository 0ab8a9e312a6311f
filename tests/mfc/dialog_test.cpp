// Dialogs from templates: modeless and modal creation, initialisation, data exchange, ending.
#include "platform/mfc/CButton.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/DataExchange.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr UINT IDD_TEST = 100;
constexpr int IDC_LABEL = 1001;

class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* pParent = nullptr) : CDialog(IDD_TEST, pParent) {}

    CStatic m_label;
    int m_nInitCalls = 0;
    int m_nExchanges = 0;
    bool m_bLabelBoundAtInit = false;
    bool m_bEndInInit = false;
    UINT m_nPostAtInit = 0;
    std::vector<UINT> m_preTranslated;

    BOOL OnInitDialog() override
    {
        ++m_nInitCalls;
        const BOOL bResult = CDialog::OnInitDialog();
        m_bLabelBoundAtInit = m_label.m_hWnd == ::GetDlgItem(m_hWnd, IDC_LABEL);
        if (m_bEndInInit)
            EndDialog(77);
        if (m_nPostAtInit)
            PostMessage(m_nPostAtInit);
        return bResult;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        m_preTranslated.push_back(pMsg->message);
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        ++m_nExchanges;
        DDX_Control(pDX, IDC_LABEL, m_label);
    }
    LRESULT OnFinish(WPARAM wParam, LPARAM)
    {
        EndDialog(static_cast<int>(wParam));
        return 1;
    }
    LRESULT OnPressOk(WPARAM, LPARAM)
    {
        // The way a click on OK arrives: BN_CLICKED from the button.
        SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDOK)));
        return 1;
    }
    LRESULT OnPostKey(WPARAM, LPARAM)
    {
        ::PostMessageW(::GetDlgItem(m_hWnd, IDOK), WM_KEYDOWN, 'Q', 0);
        PostMessage(WM_USER + 1, 5);
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_MESSAGE(WM_USER + 1, OnFinish)
    ON_MESSAGE(WM_USER + 2, OnPressOk)
    ON_MESSAGE(WM_USER + 3, OnPostKey)
END_MESSAGE_MAP()

}  // namespace

TEST(DialogTest, ModelessCreateRunsInitAndBindsControls)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    EXPECT_EQ(1, dlg.m_nInitCalls);
    EXPECT_TRUE(dlg.m_bLabelBoundAtInit) << "OnInitDialog exchanges data first";
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_EQ(&dlg.m_label, CWnd::FromHandlePermanent(dlg.m_label.m_hWnd));

    dlg.UpdateData(FALSE);
    EXPECT_EQ(2, dlg.m_nExchanges);
    EXPECT_EQ(&dlg.m_label, CWnd::FromHandlePermanent(dlg.m_label.m_hWnd)) << "bound once";

    CString strCaption;
    dlg.GetWindowText(strCaption);
    EXPECT_STREQ(L"Test dialog", strCaption);

    HWND hLabel = dlg.m_label.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_label.m_hWnd) << "the control is unbound with its window";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hLabel));
}

TEST(DialogTest, DoModalReturnsTheResultOfEndDialog)
{
    TestDialog dlg;
    dlg.m_nPostAtInit = WM_USER + 3;  // posts a key to the OK button, then WM_USER + 1 with 5
    EXPECT_EQ(5, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd) << "the window is gone after DoModal";
    EXPECT_EQ(nullptr, dlg.m_label.m_hWnd);
    EXPECT_NE(dlg.m_preTranslated.end(), std::find(dlg.m_preTranslated.begin(), dlg.m_preTranslated.end(), UINT(WM_KEYDOWN)))
        << "the modal loop offers input to PreTranslateMessage";
}

TEST(DialogTest, EndDialogDuringInitEndsAtOnce)
{
    TestDialog dlg;
    dlg.m_bEndInInit = true;
    EXPECT_EQ(77, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nInitCalls);
}

TEST(DialogTest, OkButtonEndsWithIdok)
{
    TestDialog dlg;
    dlg.m_nPostAtInit = WM_USER + 2;
    EXPECT_EQ(IDOK, dlg.DoModal());
}

TEST(DialogTest, ModalDialogDisablesItsOwnerMeanwhile)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));

    struct ProbeDialog : TestDialog {
        using TestDialog::TestDialog;
        BOOL m_bOwnerEnabled = TRUE;
        BOOL OnInitDialog() override
        {
            m_bOwnerEnabled = m_pParentWnd->IsWindowEnabled();
            EndDialog(3);
            return TestDialog::OnInitDialog();
        }
    } dlg(&owner);
    EXPECT_EQ(3, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bOwnerEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(DialogTest, MissingTemplateFails)
{
    CDialog dlg(999);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.Create(999));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}
