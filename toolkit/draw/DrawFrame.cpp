#include "toolkit/draw/DrawFrame.h"

namespace {

struct ShadeMode {
    bool bAdd;
    short delta[4][3];  // per layer: red, green, blue
};

constexpr ShadeMode kShadeModes[12] = {
    {false, {{70, 80, 85}, {37, 42, 45}, {9, 10, 11}, {5, 6, 7}}},
    {true, {{76, 60, 14}, {59, 47, 11}, {25, 19, 4}, {13, 10, 2}}},
    {false, {{35, 39, 42}, {11, 13, 14}, {5, 6, 7}, {0, 0, 0}}},
    {true, {{30, 23, 5}, {14, 11, 2}, {7, 5, 1}, {0, 0, 0}}},
    {true, {{0, 37, 71}, {0, 16, 30}, {0, 0, 0}, {0, 0, 0}}},
    {false, {{121, 93, 25}, {42, 32, 9}, {0, 0, 0}, {0, 0, 0}}},
    {true, {{0, 8, 36}, {0, 4, 16}, {0, 0, 0}, {0, 0, 0}}},
    {false, {{77, 59, 16}, {25, 19, 5}, {0, 0, 0}, {0, 0, 0}}},
    {false, {{30, 45, 60}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {false, {{30, 45, 60}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {false, {{30, 45, 60}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {false, {{30, 45, 60}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
};

// Shading mode of each side per style: top, right, bottom, left; -1 marks an unknown style.
int SideMode(int nStyle, int nSide)
{
    static constexpr int kModes[4][4] = {{1, 2, 0, 3}, {5, 6, 4, 7}, {-1, -1, -1, -1}, {9, 10, 8, 11}};
    if (nStyle < 0 || nStyle > 3)
        return -1;
    return kModes[nStyle][nSide];
}

struct Step {
    int dx;
    int dy;
};

// Inward unit step of each side direction: bottom, top, right, left.
Step InwardStep(int nDirection)
{
    static constexpr Step kSteps[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    return nDirection >= 0 && nDirection < 4 ? kSteps[nDirection] : Step{0, 0};
}

bool IsHorizontal(int nDirection)
{
    return nDirection == 0 || nDirection == 1;
}

int Clamp(int n)
{
    return n >= 255 ? 255 : (n <= 0 ? 0 : n);
}

// Selects a solid one-pixel pen of a colour and puts the previous pen back afterwards.
class SolidPen {
public:
    SolidPen(HDC hDC, COLORREF clr) : m_pen(PS_SOLID, 1, clr), m_select(hDC, m_pen) {}

private:
    CPen m_pen;
    CSelectGuard m_select;
};

}  // namespace

CVellDrawFrame::CVellDrawFrame(int nWidth) : m_nWidth(nWidth < 0 ? 0 : nWidth)
{
}

COLORREF CVellDrawFrame::ShadeColor(int nLayer, COLORREF clrBase, int nMode)
{
    if (nMode < 0 || nMode > 11 || nLayer < 0 || nLayer > 3)
        return clrBase;
    const ShadeMode& mode = kShadeModes[nMode];
    const int sign = mode.bAdd ? 1 : -1;
    const short* d = mode.delta[nLayer];
    return RGB(Clamp(static_cast<short>(GetRValue(clrBase)) + sign * d[0]),
               Clamp(static_cast<short>(GetGValue(clrBase)) + sign * d[1]),
               Clamp(static_cast<short>(GetBValue(clrBase)) + sign * d[2]));
}

COLORREF CVellDrawFrame::BlendColors(COLORREF clr1, int nWeight1, COLORREF clr2, int nWeight2, int nDivisor)
{
    if (nDivisor <= 0)
        return clr1;
    auto blend = [&](int a, int b) { return Clamp((a * nWeight1 + b * nWeight2) / nDivisor); };
    return RGB(blend(GetRValue(clr1), GetRValue(clr2)), blend(GetGValue(clr1), GetGValue(clr2)),
               blend(GetBValue(clr1), GetBValue(clr2)));
}

void CVellDrawFrame::BeginOutline(int x, int y, int nSides)
{
    m_vertices.clear();
    m_nSides = nSides < 0 ? 0 : nSides;
    m_nVertex = 0;
    m_bOutlineOpen = TRUE;
    m_vertices.resize(static_cast<size_t>(m_nSides) + 1);
    m_vertices[0].x = x;
    m_vertices[0].y = y;
}

void CVellDrawFrame::AddOutlineVertex(const std::vector<COLORREF>& layerColors, int x, int y, int nDirection)
{
    if (m_nVertex + 1 >= static_cast<int>(m_vertices.size()))
        return;  // more vertices than sides announced
    Vertex& v = m_vertices[static_cast<size_t>(++m_nVertex)];
    v.colors = layerColors;
    v.x = x;
    v.y = y;
    v.direction = nDirection;
}

void CVellDrawFrame::Setup(COLORREF clrBase, RECT rect, COLORREF clrOutline, BOOL bOutline, int nStyle, BOOL bFill)
{
    m_rect = rect;
    m_clrBase = clrBase;
    m_clrOutline = clrOutline;
    m_bOutline = bOutline;
    m_bFill = bFill;
    m_bPrepared = TRUE;
    if (m_nWidth == 0)
        return;

    RECT r = rect;
    if (bOutline)
        ::InflateRect(&r, -1, -1);  // the outline takes the outermost ring
    BeginOutline(r.left, r.top, 4);

    std::vector<COLORREF> sides[4];  // top, right, bottom, left
    for (int nSide = 0; nSide < 4; ++nSide) {
        const int nMode = SideMode(nStyle, nSide);
        for (int i = 0; i < m_nWidth; ++i)
            sides[nSide].push_back(nMode < 0 ? RGB(0, 0, 0) : ShadeColor(i, clrBase, nMode));
    }
    AddOutlineVertex(sides[0], r.right - 1, r.top, 1);
    AddOutlineVertex(sides[1], r.right - 1, r.bottom - 1, 2);
    AddOutlineVertex(sides[2], r.left, r.bottom - 1, 0);
    AddOutlineVertex(sides[3], r.left, r.top, 3);
}

void CVellDrawFrame::Paint(CDC& dc)
{
    Paint(dc.m_hDC);
}

void CVellDrawFrame::Paint(HDC hDC)
{
    if (!hDC || !m_bPrepared)
        return;
    CSaveDCGuard saved(hDC);
    if (m_bFill) {
        ::SetBkColor(hDC, m_clrBase);
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &m_rect, nullptr, 0, nullptr);
    }
    if (m_bOutline) {
        CBrush brush(m_clrOutline);
        ::FrameRect(hDC, &m_rect, brush);
    }
    if (m_nWidth > 0) {
        DrawSides(hDC);
        DrawCorners(hDC);
    }
}

COLORREF CVellDrawFrame::LayerColor(const Vertex& v, int nLayer) const
{
    return nLayer >= 0 && nLayer < static_cast<int>(v.colors.size()) ? v.colors[static_cast<size_t>(nLayer)]
                                                                      : RGB(0, 0, 0);
}

void CVellDrawFrame::DrawSides(HDC hDC) const
{
    for (int k = 1; k <= m_nVertex; ++k) {
        const Vertex& from = m_vertices[static_cast<size_t>(k - 1)];
        const Vertex& to = m_vertices[static_cast<size_t>(k)];
        const Step step = InwardStep(to.direction);
        for (int i = 0; i < m_nWidth; ++i) {
            SolidPen pen(hDC, LayerColor(to, i));
            ::MoveToEx(hDC, from.x + i * step.dx, from.y + i * step.dy, nullptr);
            ::LineTo(hDC, to.x + i * step.dx, to.y + i * step.dy);
        }
    }
}

void CVellDrawFrame::DrawCorners(HDC hDC) const
{
    for (int j = 1; j < m_nVertex; ++j)
        MitreCorner(hDC, j, m_vertices[static_cast<size_t>(j)], m_vertices[static_cast<size_t>(j + 1)], j + 1);
    if (m_nVertex >= 2) {
        const Vertex& last = m_vertices[static_cast<size_t>(m_nVertex)];
        const Vertex& first = m_vertices[0];
        if (last.x == first.x && last.y == first.y)
            MitreCorner(hDC, m_nVertex, last, m_vertices[1], 1);
    }
}

// Corner at vertex nVertex, where side A (ending there) meets side B; nAfterA is the vertex that
// ends side B (the vertex after A, wrapped).
void CVellDrawFrame::MitreCorner(HDC hDC, int nVertex, const Vertex& a, const Vertex& b, int nAfterA) const
{
    const int W = m_nWidth;
    const Vertex& corner = m_vertices[static_cast<size_t>(nVertex)];
    const int cx = corner.x;
    const int cy = corner.y;
    const Vertex& before = m_vertices[static_cast<size_t>(nVertex - 1)];
    const Vertex& after = m_vertices[static_cast<size_t>(nAfterA)];

    auto innerPoint = [&](const Vertex& side) {
        const Step step = InwardStep(side.direction);
        POINT p{cx + W * step.dx, cy + W * step.dy};
        if (IsHorizontal(side.direction))
            p.x += (before.x < cx || after.x < cx) ? -W : W;
        else
            p.y += (before.y < cy || after.y < cy) ? -W : W;
        return p;
    };
    const POINT innerA = innerPoint(a);
    const POINT innerB = innerPoint(b);
    const bool bConvex = innerA.x == innerB.x && innerA.y == innerB.y;

    const Step stepA = InwardStep(a.direction);
    const Step stepB = InwardStep(b.direction);
    int sx = IsHorizontal(a.direction) ? stepB.dx : stepA.dx;
    int sy = IsHorizontal(a.direction) ? stepA.dy : stepB.dy;
    int x0 = cx;
    int y0 = cy;
    if (!bConvex) {
        x0 = cx + (W - 1) * sx;
        y0 = cy + (W - 1) * sy;
        sx = -sx;
        sy = -sy;
    }
    const Vertex& vertical = IsHorizontal(a.direction) ? b : a;
    const Vertex& horizontal = IsHorizontal(a.direction) ? a : b;

    for (int r = 0; r < W; ++r) {
        const int nLayer = bConvex ? r : W - 1 - r;
        const COLORREF clrDiagonal = BlendColors(LayerColor(a, nLayer), 1, LayerColor(b, nLayer), 1, 2);
        for (int k = r; k < W; ++k) {
            const COLORREF clr =
                k == r ? clrDiagonal : BlendColors(clrDiagonal, W - k, LayerColor(vertical, nLayer), k, W);
            ::SetPixel(hDC, x0 + r * sx, y0 + k * sy, clr);
        }
        for (int k = r; k < W; ++k) {
            const COLORREF clr =
                k == r ? clrDiagonal : BlendColors(clrDiagonal, W - k, LayerColor(horizontal, nLayer), k, W);
            ::SetPixel(hDC, x0 + k * sx, y0 + r * sy, clr);
        }
    }
}

void DrawWindowBorder(HDC hDC, const RECT& rect)
{
    static constexpr COLORREF kLight[4] = {RGB(199, 207, 220), RGB(199, 207, 220), RGB(146, 160, 185),
                                           RGB(80, 101, 138)};
    static constexpr COLORREF kDark[4] = {RGB(20, 25, 35), RGB(20, 25, 35), RGB(21, 59, 99), RGB(80, 101, 138)};
    if (!hDC)
        return;
    CSaveDCGuard saved(hDC);  // pen, pen colour and current position
    ::SelectObject(hDC, ::GetStockObject(DC_PEN));
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;
    for (int i = 0; i < 4; ++i) {
        ::SetDCPenColor(hDC, kLight[i]);
        ::MoveToEx(hDC, l + i, t + i, nullptr);
        ::LineTo(hDC, r - i, t + i);
        ::MoveToEx(hDC, l + i, t + i, nullptr);
        ::LineTo(hDC, l + i, b - i);
    }
    for (int i = 0; i < 4; ++i) {
        ::SetDCPenColor(hDC, kDark[i]);
        ::MoveToEx(hDC, l + i, b - i - 1, nullptr);
        ::LineTo(hDC, r - i - 1, b - i - 1);
        ::LineTo(hDC, r - i - 1, t + i);
    }
}
