#pragma once
// A panel of small toolkit controls whose colours, fonts and captions come from their properties:
// ambient and own colours, palettes of each state, a palette-less "UsePalette", and a control whose
// properties were saved to a property file and loaded back.
#include "platform/mfc/CWnd.h"
#include "toolkit/controls/VellControlWnd.h"

#include <memory>
#include <vector>

// A swatch: the effective background, the first three palette or table colours as a strip, and the
// caption in the effective foreground colour (embossed while disabled).
class CVellSwatchControl : public CVellControlWnd<CWnd> {
public:
    BOOL Create(UINT nID, const RECT* pRect, CWnd* pParent) override;
    using CVellControlWnd<CWnd>::Create;
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override { return ReplaceDlgItem(nID, pParent, L"Static"); }
    void Paint(HDC hDC);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CPropertyColoursPanel : public CWnd {
public:
    BOOL Create(CWnd* pParent, const CRect& rc);
    void Paint(HDC hDC);

protected:
    int OnCreate(LPCREATESTRUCTW pCreateStruct);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CVellSwatchControl& Add(const wchar_t* pszLabel, const wchar_t* pszCaption);

    std::vector<std::unique_ptr<CVellSwatchControl>> m_swatches;
    std::vector<CString> m_labels;
};
