#pragma once
// Windows for the bitmap button tests: a framework parent that hands owner-draw requests back to its
// buttons and records their notifications, and drawing a button into a DIB.
#include "toolkit/buttons/VellBitmapButton.h"

#include "support/DibSurface.h"
#include "support/MessageSequence.h"
#include "support/RectPrinting.h"

#include <functional>

namespace buttontest {

inline constexpr UINT kButtonId = 101;

class CRecordingParent : public CWnd {
public:
    CRecordingParent();
    ~CRecordingParent() override;

    // Notifications WM_USER + 20 to + 23 seen so far, as "parent" entries.
    msgseq::Log log;
    // Runs after a notification was recorded (a handler that destroys the button, say).
    std::function<void(UINT, WPARAM, LPARAM)> onNotify;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// Paints the button into a DIB of its client size filled with clrFill, as an owner-draw request
// with the given item action would.
void PaintInto(CVellBitmapButton& button, DibSurface& surface, UINT nItemAction = ODA_DRAWENTIRE);

// Mouse and key messages as the system would send them (client coordinates).
void MouseDown(HWND hWnd, int x, int y);
void MouseMove(HWND hWnd, int x, int y, bool bLeftDown);
void MouseUp(HWND hWnd, int x, int y);
void SpaceDown(HWND hWnd, bool bRepeat = false);
void SpaceUp(HWND hWnd);
void Click(HWND hWnd, int x, int y);

// Live GDI objects of this process: GetGuiResources, or where that counts nothing (Wine, whose
// GetGuiResources is a stub) the used entries of the process's GDI handle table. -1 when neither works.
int CountGdiObjects();

// The notifications the parent received: {message, wParam, lParam} each.
std::vector<msgseq::Expected> Notes(std::initializer_list<std::pair<UINT, LPARAM>> notes, WPARAM nId = kButtonId);

}  // namespace buttontest
