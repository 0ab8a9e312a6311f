#pragma once
// What the hosted-control tests share: a dialog made from a real template that records the list
// notifications and the keys it is sent, and a message loop through IsDialogMessage.
#include "platform/mfc/CWnd.h"

#include "support/MessageSequence.h"

#include <functional>

namespace hosttest {

// The list notifications, WM_USER + 0x82 to WM_USER + 0x91.
constexpr UINT kFirstNotification = 0x482;
constexpr UINT kLastNotification = 0x491;

class TestDialog {
public:
    explicit TestDialog(int nTemplateId, bool bShow = true);
    ~TestDialog();
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;

    HWND hwnd() const { return m_hWnd; }
    CWnd* wnd() { return &m_wnd; }
    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    // Notifications (as "dlg", with wParam and lParam) and WM_KEYDOWN (as "key").
    msgseq::Log& log() { return m_log; }
    // Called for every recorded message after it is logged (a receiver that reacts).
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> onNotify;

private:
    static INT_PTR CALLBACK DlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    CWnd m_wnd;
    msgseq::Log m_log;
};

// Posts the key to the focus window and runs the queue through IsDialogMessage of hDlg.
void PressKey(HWND hDlg, UINT vk);
// Runs the queue through IsDialogMessage of hDlg until it is empty.
void PumpDialog(HWND hDlg);
// The id of the dialog item that has the focus (0 when none).
int FocusId(HWND hDlg);

bool RunningOnWine();

}  // namespace hosttest
