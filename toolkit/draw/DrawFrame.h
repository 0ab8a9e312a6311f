#pragma once
// Bevelled frames: each side of a rectangle drawn in up to four layers whose colours are shaded
// from one base colour, with mitred corners blended pixel by pixel.
#include "platform/mfc/CDC.h"

#include <vector>

class CVellDrawFrame {
public:
    enum Style { Raised = 0, Sunken = 1, DarkLine = 3 };

    // nWidth: bevel width in pixels (layers), 0 to 4.
    explicit CVellDrawFrame(int nWidth);
    virtual ~CVellDrawFrame() = default;

    // Describes the frame; may be called again at any time (new size, colours or style).
    void Setup(COLORREF clrBase, RECT rect, COLORREF clrOutline, BOOL bOutline, int nStyle, BOOL bFill);
    // Draws what the last Setup described; the DC is left as it was found.
    void Paint(CDC& dc);
    void Paint(HDC hDC);

    // The base colour shaded for bevel layer nLayer (0..3) by shading mode nMode (0..11); any other
    // mode gives the base colour back.
    static COLORREF ShadeColor(int nLayer, COLORREF clrBase, int nMode);
    // Per component (clr1 * nWeight1 + clr2 * nWeight2) / nDivisor, clamped to 0..255.
    static COLORREF BlendColors(COLORREF clr1, int nWeight1, COLORREF clr2, int nWeight2, int nDivisor);

    // Building an outline by hand: a start point, then one vertex per side (layer colours of the
    // side that ends there, and its direction: 0 bottom, 1 top, 2 right, 3 left).
    void BeginOutline(int x, int y, int nSides);
    void AddOutlineVertex(const std::vector<COLORREF>& layerColors, int x, int y, int nDirection);

    int GetWidth() const { return m_nWidth; }

private:
    struct Vertex {
        std::vector<COLORREF> colors;  // one per layer, outermost first
        int x = 0;
        int y = 0;
        int direction = 0;
    };

    void DrawSides(HDC hDC) const;
    void DrawCorners(HDC hDC) const;
    void MitreCorner(HDC hDC, int nVertex, const Vertex& a, const Vertex& b, int nAfterA) const;
    COLORREF LayerColor(const Vertex& v, int nLayer) const;

    int m_nSides = 0;
    int m_nWidth;
    BOOL m_bPrepared = FALSE;
    BOOL m_bOutline = FALSE;
    BOOL m_bFill = FALSE;
    int m_nVertex = 0;
    std::vector<Vertex> m_vertices;
    BOOL m_bOutlineOpen = FALSE;
    RECT m_rect{};
    COLORREF m_clrBase = 0;
    COLORREF m_clrOutline = 0;
};

// The fixed four-pixel border of the toolkit's windows: light on top and left, dark on bottom and
// right, drawn over rect (in hDC's coordinates).
void DrawWindowBorder(HDC hDC, const RECT& rect);
