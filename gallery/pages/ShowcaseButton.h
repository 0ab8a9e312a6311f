#pragma once
// A button held in one look for the gallery's table of states: hovered, pressed or focused without
// a mouse or keyboard behind it.
#include "toolkit/buttons/VellButton.h"

template <class TButton>
class CShowcaseButton : public TButton {
public:
    void ShowHover(BOOL bHover) { this->m_bHover = bHover; }
    void ShowPressed() { this->m_bMouseDown = this->m_bHover = TRUE; }
    void ShowFocus() { m_bShowFocus = TRUE; }

    BOOL UpdateFocusCue(int nItemAction, BOOL bMouseDown) override
    {
        return m_bShowFocus || TButton::UpdateFocusCue(nItemAction, bMouseDown);
    }

private:
    BOOL m_bShowFocus = FALSE;
};
