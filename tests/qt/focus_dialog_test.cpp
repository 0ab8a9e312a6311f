// Focus policies in a real dialog: the dialog manager's Tab order (IsDialogMessage) reaches the
// widgets that take Tab focus and skips the others; clicks focus the ones that take click focus.
#include "platform/qt/QWidget.h"

#include "tests/support/TestSupport.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr int IDC_FIRST = 101;
constexpr int IDC_LAST = 102;

// A top-level widget turned into a control of the dialog, the way a host takes it over.
class DialogWidget : public QWidget {
public:
    DialogWidget(HWND hDlg, int id, int x, msgseq::Log* log, const char* name) : QWidget(nullptr, name), m_pLog(log)
    {
        SetWindowLongW(winId(), GWL_STYLE, WS_CHILD);
        SetParent(winId(), hDlg);
        SetWindowLongPtrW(winId(), GWLP_ID, id);
        setGeometry(x, 40, 30, 20);
        show();
    }

protected:
    void focusInEvent(QFocusEvent*) override { m_pLog->Add(name(), WM_SETFOCUS, 0, 0); }
    void focusOutEvent(QFocusEvent*) override { m_pLog->Add(name(), WM_KILLFOCUS, 0, 0); }

private:
    msgseq::Log* m_pLog;
};

class FocusDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        struct Item {
            DLGITEMTEMPLATE t;
            WORD cls[2];
            WORD text;
            WORD extra;
            WORD pad;  // the next item starts on a DWORD
        };
        // A dialog with two push buttons, built in memory (DWORD-aligned items).
        struct alignas(4) {
            DLGTEMPLATE t;
            WORD menu, cls, title;
            Item first;
            Item last;
        } tmpl{};
        tmpl.t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME;
        tmpl.t.cdit = 2;
        tmpl.t.cx = 200;
        tmpl.t.cy = 100;
        const auto item = [](Item& it, int id, short x) {
            it.t.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
            it.t.x = x;
            it.t.y = 5;
            it.t.cx = 30;
            it.t.cy = 14;
            it.t.id = static_cast<WORD>(id);
            it.cls[0] = 0xFFFF;
            it.cls[1] = 0x0080;  // button
        };
        item(tmpl.first, IDC_FIRST, 5);
        item(tmpl.last, IDC_LAST, 150);
        m_hDlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.t, nullptr, DlgProc, 0);
        ASSERT_NE(nullptr, m_hDlg);
        // Widgets between the two buttons in z-order (the Tab order), one per focus policy.
        HWND prev = GetDlgItem(m_hDlg, IDC_FIRST);
        const struct {
            const char* name;
            QWidget::FocusPolicy policy;
        } kinds[] = {{"tab", QWidget::TabFocus}, {"none", QWidget::NoFocus},
                     {"click", QWidget::ClickFocus}, {"strong", QWidget::StrongFocus}, {"wheel", QWidget::WheelFocus}};
        int x = 40;
        for (const auto& k : kinds) {
            auto* w = new DialogWidget(m_hDlg, 200 + x, x, &m_log, k.name);
            w->setFocusPolicy(k.policy);
            SetWindowPos(w->winId(), prev, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            prev = w->winId();
            m_widgets.push_back(w);
            x += 35;
        }
        SetFocus(GetDlgItem(m_hDlg, IDC_FIRST));
        qttest::Pump();
        m_log.Clear();
    }
    void TearDown() override
    {
        for (QWidget* w : m_widgets)
            delete w;
        DestroyWindow(m_hDlg);
    }
    static INT_PTR CALLBACK DlgProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

    void Tab()
    {
        MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
        EXPECT_TRUE(IsDialogMessageW(m_hDlg, &msg));
        qttest::Pump();
    }
    QWidget* Named(const char* name)
    {
        for (QWidget* w : m_widgets)
            if (!strcmp(w->name(), name))
                return w;
        return nullptr;
    }

    HWND m_hDlg = nullptr;
    std::vector<QWidget*> m_widgets;
    msgseq::Log m_log;
};

TEST_F(FocusDialogTest, TabVisitsTabStrongAndWheelFocusWidgetsOnly)
{
    std::vector<HWND> order;
    for (int i = 0; i < 5; ++i) {
        Tab();
        order.push_back(GetFocus());
    }
    EXPECT_EQ((std::vector<HWND>{Named("tab")->winId(), Named("strong")->winId(), Named("wheel")->winId(),
                                 GetDlgItem(m_hDlg, IDC_LAST), GetDlgItem(m_hDlg, IDC_FIRST)}),
              order);
    EXPECT_TRUE(m_log.Matches({{"tab", WM_SETFOCUS}, {"tab", WM_KILLFOCUS}, {"strong", WM_SETFOCUS},
                               {"strong", WM_KILLFOCUS}, {"wheel", WM_SETFOCUS}, {"wheel", WM_KILLFOCUS}}));
    EXPECT_TRUE(GetWindowLongW(Named("tab")->winId(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(Named("click")->winId(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(Named("none")->winId(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(FocusDialogTest, ClicksFocusClickStrongAndWheelFocusWidgetsOnly)
{
    const auto click = [&](const char* name) {
        HWND h = Named(name)->winId();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        return GetFocus() == h;
    };
    EXPECT_TRUE(click("click"));
    EXPECT_TRUE(click("strong"));
    EXPECT_FALSE(click("none"));
    EXPECT_FALSE(click("tab"));
    EXPECT_EQ(Named("strong")->winId(), GetFocus());
    // The wheel focuses only the wheel-focus widget.
    SendMessageW(Named("click")->winId(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Named("strong")->winId(), GetFocus());
    SendMessageW(Named("wheel")->winId(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Named("wheel")->winId(), GetFocus());
    EXPECT_TRUE(Named("wheel")->hasFocus());
}

}  // namespace
