#pragma once
// Helpers of the about and splash dialog tests: counting the messages a window receives, rendering
// the picture control into DIB sections, and finding where two renderings differ.
#include "toolkit/dialogs/VellAboutDlg.h"
#include "toolkit/style/SubclassWnd.h"

#include "tests/support/TestSupport.h"

#include <memory>
#include <utility>

// Counts one message of a window (and hands everything on unchanged).
class MessageCounter : public CSubclassWnd {
public:
    MessageCounter(CWnd& wnd, UINT message) : m_message(message) { HookTo(&wnd); }
    ~MessageCounter() override { HookTo(nullptr); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == m_message)
            ++m_count;
        return CSubclassWnd::HandleMessage(message, wParam, lParam);
    }
    int m_count = 0;

private:
    UINT m_message;
};

// The bounding box of the pixels that differ between two renderings of the same size, and how
// many of them lie outside a set of allowed rectangles.
struct InkBox {
    CRect box{0, 0, 0, 0};  // empty when nothing differs
    int nCount = 0;
    bool Empty() const { return nCount == 0; }
};
InkBox Difference(const DibSurface& a, const DibSurface& b, const CRect& within);

// The picture control rendered through WM_PRINTCLIENT (everything) or its picture alone.
std::unique_ptr<DibSurface> RenderWhole(CWnd& control);
std::unique_ptr<DibSurface> RenderPictureOnly(CVellStaticBitmap& control);

// The picture with only the texts that are passed non-null (the others blank while it renders).
std::unique_ptr<DibSurface> RenderWithTexts(CVellAboutDlg::CAboutBitmap& bitmap, const wchar_t* pszTitle,
                                            const wchar_t* pszStatus, const wchar_t* pszLegal,
                                            const wchar_t* pszVersion);

// Width of a text in the small or large font of the about picture.
int TextWidth(const CString& str, int nFontHeight);
// Columns of the glyph ink of a text drawn at x = 0 in that font: left and right (exclusive) bearing.
std::pair<int, int> InkColumns(const CString& str, int nFontHeight);

// The window as drawn (non-client area included), read from its window DC.
std::unique_ptr<DibSurface> ReadWindow(HWND hWnd);
// True when some pixel of rect in the surface has exactly this colour.
bool HasColor(const DibSurface& s, const CRect& rect, COLORREF clr);
