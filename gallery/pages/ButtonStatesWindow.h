#pragma once
// The table of every bitmap button look: one row per kind of button (the module list's check box
// with pictures 709 to 712, a shaped push button, a toggle, the text button), one column per state.
#include "gallery/pages/ShowcaseButton.h"

#include <memory>
#include <vector>

class CButtonStatesWindow : public CWnd {
public:
    CButtonStatesWindow() = default;
    ~CButtonStatesWindow() override;

    // A top-level window at (x, y) holding the table.
    BOOL Open(int x, int y);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

private:
    void AddRow(int nRow);
    CVellBitmapButton* MakeButton(int nRow);
    void Place(CVellBitmapButton& button, int nRow, int nColumn, SIZE size);

    std::vector<std::unique_ptr<CVellBitmapButton>> m_buttons;
};
