// Colours, colour groups and palettes, fonts and metrics, and the painter's pixels on pixmaps and
// bitmaps read back from their DIB sections.
#include "platform/qt/QColor.h"
#include "platform/qt/QFont.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QPalette.h"
#include "platform/qt/QPixmap.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

namespace {

QRgb Rgb(int r, int g, int b)
{
    return 0xFF000000u | (static_cast<QRgb>(r) << 16) | (static_cast<QRgb>(g) << 8) | static_cast<QRgb>(b);
}

TEST(ColorTest, NamesAndHexForms)
{
    EXPECT_EQ(QColor(255, 128, 0), QColor("#ff8000"));
    EXPECT_EQ(QColor(255, 136, 0), QColor("#f80"));
    EXPECT_EQ(QColor(0, 0, 128), QColor("navy"));
    EXPECT_EQ(QColor(0, 0, 128), QColor("Navy"));
    EXPECT_EQ(QColor(211, 211, 211), QColor("light gray"));
    EXPECT_FALSE(QColor("#12345").isValid());
    EXPECT_FALSE(QColor("#gg0000").isValid());
    EXPECT_FALSE(QColor("no such colour").isValid());
    EXPECT_FALSE(QColor(QString()).isValid());
    EXPECT_FALSE(QColor().isValid());
    EXPECT_STREQ("#153b63", QColor(21, 59, 99).name().latin1().c_str());
    EXPECT_EQ(QColor(21, 59, 99), QColor(QColor(21, 59, 99).name()));
    EXPECT_EQ(RGB(21, 59, 99), QColor(21, 59, 99).colorRef());
    EXPECT_EQ(QColor(255, 0, 0), QColor(300, -5, 0));  // clamped
}

TEST(PaletteTest, DefaultGroupIsBlackAndGroupsAreIndependent)
{
    QColorGroup g;
    for (int role = 0; role < QColorGroup::NColorRoles; ++role)
        EXPECT_EQ(QColor(0, 0, 0), g.color(static_cast<QColorGroup::ColorRole>(role))) << role;
    g.setColor(QColorGroup::Base, QColor(1, 2, 3));
    g.setColor(QColorGroup::Highlight, QColor(4, 5, 6));
    EXPECT_EQ(QColor(1, 2, 3), g.base());
    EXPECT_EQ(QColor(4, 5, 6), g.highlight());
    EXPECT_EQ(QColor(0, 0, 0), g.background());

    QPalette p;
    p.setActive(g);
    QColorGroup d;
    d.setColor(QColorGroup::Text, QColor(7, 8, 9));
    p.setDisabled(d);
    EXPECT_EQ(QColor(1, 2, 3), p.active().base());
    EXPECT_EQ(QColor(0, 0, 0), p.inactive().base());
    EXPECT_EQ(QColor(7, 8, 9), p.color(QPalette::Disabled, QColorGroup::Text));
    p.setColor(QColorGroup::Shadow, QColor(10, 11, 12));
    EXPECT_EQ(QColor(10, 11, 12), p.active().shadow());
    EXPECT_EQ(QColor(10, 11, 12), p.inactive().shadow());
    EXPECT_EQ(QColor(10, 11, 12), p.disabled().shadow());
    EXPECT_NE(p, QPalette());
}

TEST(FontTest, WeightsAndSizesFromAndToLogFonts)
{
    LOGFONTW lf{};
    wcscpy(lf.lfFaceName, L"Arial");
    lf.lfHeight = -MulDiv(9, 96, 72);
    const struct {
        LONG gdi;
        int qt;
    } weights[] = {{300, QFont::Light}, {400, QFont::Normal}, {600, QFont::DemiBold}, {700, QFont::Bold}, {900, QFont::Black}};
    for (const auto& w : weights) {
        lf.lfWeight = w.gdi;
        const QFont f = QFont::fromLogFont(lf);
        EXPECT_EQ(w.qt, f.weight()) << w.gdi;
        EXPECT_EQ(w.gdi, f.toLogFont().lfWeight) << w.gdi;
    }
    QFont f(QString(L"Arial"), 10);
    f.setPointSize(0);
    EXPECT_EQ(1, f.pointSize());  // never below one point
    EXPECT_STREQ("Arial", f.family().latin1().c_str());

    // Copies share one GDI font; a change makes a new one.
    QFont a(QString(L"Arial"), 12);
    const QFont b = a;
    EXPECT_EQ(a.handle(), b.handle());
    a.setBold(true);
    EXPECT_NE(a.handle(), b.handle());
    EXPECT_NE(nullptr, a.handle());
}

TEST(FontTest, MetricsMeasureTheText)
{
    const QFontMetrics fm(QFont(QString(L"Arial"), 10));
    EXPECT_GT(fm.height(), 0);
    EXPECT_EQ(fm.height(), fm.ascent() + fm.descent());
    EXPECT_EQ(0, fm.width(QString(L"")));
    EXPECT_GT(fm.width(QString(L"WWW")), fm.width(QString(L"iii")));
    EXPECT_EQ(fm.width(QString(L"WW")), fm.width(QString(L"WWWW"), 2));
}

TEST(PainterTest, LinesIncludeBothEndsAndRectanglesFitTheirSize)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setPen(QColor(255, 0, 0));
    p.drawLine(2, 2, 6, 2);
    p.setPen(QColor(0, 0, 255));
    p.setBrush(QColor(0, 255, 0));
    p.drawRect(10, 10, 5, 4);
    p.end();
    EXPECT_EQ(Rgb(255, 0, 0), pm.pixel(2, 2));
    EXPECT_EQ(Rgb(255, 0, 0), pm.pixel(6, 2));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(7, 2));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(1, 2));
    // Outline from x 10 to 14, y 10 to 13; fill inside.
    EXPECT_EQ(Rgb(0, 0, 255), pm.pixel(10, 10));
    EXPECT_EQ(Rgb(0, 0, 255), pm.pixel(14, 13));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(15, 13));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(14, 14));
    EXPECT_EQ(Rgb(0, 255, 0), pm.pixel(11, 11));
    EXPECT_EQ(Rgb(0, 255, 0), pm.pixel(13, 12));
}

TEST(PainterTest, NoPenRectangleFillsTheWholeSizeAndTranslationAndClipApply)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    p.drawRect(0, 0, 4, 4);
    p.translate(10, 10);
    p.fillRect(0, 0, 2, 2, QBrush(QColor(255, 0, 0)));
    p.setClipRect(0, 0, 3, 3);
    p.fillRect(-5, -5, 20, 20, QBrush(QColor(0, 0, 255)));
    p.end();
    EXPECT_EQ(Rgb(0, 0, 0), pm.pixel(3, 3));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(4, 4));
    EXPECT_EQ(Rgb(0, 0, 255), pm.pixel(10, 10));  // the clipped fill went over the red square
    EXPECT_EQ(Rgb(0, 0, 255), pm.pixel(12, 12));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(13, 13));
    EXPECT_EQ(Rgb(255, 255, 255), pm.pixel(9, 9));
}

TEST(PainterTest, TextStaysInsideItsBoxInThePenColour)
{
    QPixmap pm(120, 40);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setFont(QFont(QString(L"Arial"), 12, QFont::Bold));
    p.setPen(QColor(0, 0, 128));
    p.drawText(10, 5, 100, 30, Qt::AlignLeft | Qt::AlignVCenter, QString(L"HHHH"));
    p.end();
    int inked = 0, outside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (pm.pixel(x, y) == Rgb(255, 255, 255))
                continue;
            if (x >= 10 && x < 110 && y >= 5 && y < 35)
                ++inked;
            else
                ++outside;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(0, outside);
    // Font engines differ in edges; the core of a bold H stroke is the pen colour.
    bool solid = false;
    for (int y = 0; y < 40 && !solid; ++y)
        for (int x = 0; x < 120 && !solid; ++x)
            solid = pm.pixel(x, y) == Rgb(0, 0, 128);
    EXPECT_TRUE(solid);
}

TEST(PainterTest, PixmapsAreCopiedThroughTheirMasks)
{
    QPixmap picture(4, 4);
    picture.fill(QColor(255, 0, 0));
    QBitmap mask(4, 4, true);
    {
        QPainter mp(&mask);
        mp.setPen(Qt::NoPen);
        mp.setBrush(Qt::color1);
        mp.drawRect(0, 0, 2, 4);  // left half drawn, right half clear
    }
    EXPECT_TRUE(mask.testBit(1, 1));
    EXPECT_FALSE(mask.testBit(2, 1));
    picture.setMask(mask);

    QPixmap target(10, 10);
    target.fill(QColor(0, 0, 255));
    QPainter p(&target);
    p.drawPixmap(3, 3, picture);
    p.end();
    EXPECT_EQ(Rgb(255, 0, 0), target.pixel(3, 3));
    EXPECT_EQ(Rgb(255, 0, 0), target.pixel(4, 6));
    EXPECT_EQ(Rgb(0, 0, 255), target.pixel(5, 3));  // masked out: the target shows through
    EXPECT_EQ(Rgb(0, 0, 255), target.pixel(6, 6));
    EXPECT_EQ(Rgb(0, 0, 255), target.pixel(2, 3));

    // Without a mask the whole picture is copied; a copy keeps the mask.
    QPixmap copy = picture;
    ASSERT_NE(nullptr, copy.mask());
    EXPECT_FALSE(copy.mask()->testBit(3, 0));
    copy.setMask(QBitmap());
    EXPECT_EQ(nullptr, copy.mask());
    p.begin(&target);
    p.drawPixmap(0, 0, copy);
    p.end();
    EXPECT_EQ(Rgb(255, 0, 0), target.pixel(3, 0));
}

// A device over a DC the test owns, to see what the painter leaves behind.
class ForeignDevice : public QPaintDevice {
public:
    explicit ForeignDevice(HDC hdc) : m_hdc(hdc) {}
    HDC acquireDC() override { return m_hdc; }
    void releaseDC(HDC) override {}

private:
    HDC m_hdc;
};

TEST(PainterTest, EndRestoresEverythingItSelected)
{
    DibSurface dib(16, 16, RGB(255, 255, 255));
    HDC hdc = dib.dc();
    const HGDIOBJ pen = GetCurrentObject(hdc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(hdc, OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(hdc, OBJ_FONT);
    const COLORREF text = GetTextColor(hdc);
    const int mode = GetBkMode(hdc);
    const DWORD before = qttest::GdiObjects();
    {
        ForeignDevice dev(hdc);
        QPainter p(&dev);
        p.setPen(QColor(1, 2, 3));
        p.setBrush(QColor(4, 5, 6));
        p.setFont(QFont(QString(L"Arial"), 20));
        p.translate(3, 3);
        p.setClipRect(0, 0, 5, 5);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.drawRect(0, 0, 4, 4);
    }
    EXPECT_EQ(pen, GetCurrentObject(hdc, OBJ_PEN));
    EXPECT_EQ(brush, GetCurrentObject(hdc, OBJ_BRUSH));
    EXPECT_EQ(font, GetCurrentObject(hdc, OBJ_FONT));
    EXPECT_EQ(text, GetTextColor(hdc));
    EXPECT_EQ(mode, GetBkMode(hdc));
    POINT org{-1, -1};
    GetViewportOrgEx(hdc, &org);
    EXPECT_EQ(0, org.x);
    RECT clip{};
    GetClipBox(hdc, &clip);  // no clip left behind
    EXPECT_EQ(16, clip.right);
    EXPECT_EQ(16, clip.bottom);
    EXPECT_EQ(RGB(1, 2, 3), dib.At(3, 3));
    EXPECT_EQ(before, qttest::GdiObjects());  // its own pens, brushes and fonts deleted (the font stays shared)
}

TEST(PainterTest, GdiCountStaysFlatOverManyPaintings)
{
    QPixmap pm(32, 32);
    for (int i = 0; i < 10; ++i) {
        QPainter p(&pm);
        p.setBrush(QColor(i, 0, 0));
        p.drawRect(0, 0, 10, 10);
    }
    const DWORD before = qttest::GdiObjects();
    for (int i = 0; i < 1000; ++i) {
        QPainter p(&pm);
        p.setPen(QColor(i % 256, 0, 0));
        p.setBrush(QColor(0, i % 256, 0));
        p.drawRect(0, 0, 10, 10);
        p.drawText(2, 20, QString(L"x"));
        p.fillRect(0, 0, 3, 3, QBrush(QColor(1, 1, 1)));
    }
    EXPECT_EQ(before, qttest::GdiObjects());
}

}  // namespace
