#pragma once
// The plain text button of the toolkit's dialogs: frame mode, a bold 16-pixel caption, no focus
// cue, and a caption that follows the window text (while the window's own text stays as it was).
#include "toolkit/buttons/VellBitmapButton.h"

class CVellButton : public CVellBitmapButton {
    DECLARE_DYNAMIC(CVellButton)
public:
    explicit CVellButton(CWnd* pOwner = nullptr) : CVellBitmapButton(pOwner) {}
    ~CVellButton() override;

    // The caption from the string table of the resource module current at the first load.
    void SetTextFromStringResource(UINT nId);

protected:
    DECLARE_MESSAGE_MAP()

    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCTW pCreateStruct);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
};
