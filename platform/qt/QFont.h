#pragma once
// Font descriptions (family, points, weight) with a shared GDI font made on first use, and the
// metrics of a font on the screen.
#include "platform/qt/QString.h"
#include "platform/qt/QtGlobal.h"

#include <memory>

class QFont {
public:
    enum Weight { Light = 25, Normal = 50, DemiBold = 63, Bold = 75, Black = 87 };
    QFont();  // "MS Sans Serif", 8 points
    QFont(const QString& family, int pointSize = 12, int weight = Normal, bool italic = false);

    QString family() const { return m_family; }
    void setFamily(const QString& family);
    int pointSize() const { return m_nPointSize; }
    void setPointSize(int points);  // at least 1
    int weight() const { return m_nWeight; }
    void setWeight(int weight);
    bool bold() const { return m_nWeight > Normal; }
    void setBold(bool b) { setWeight(b ? Bold : Normal); }
    bool italic() const { return m_bItalic; }
    void setItalic(bool b);
    bool underline() const { return m_bUnderline; }
    void setUnderline(bool b);
    bool strikeOut() const { return m_bStrikeOut; }
    void setStrikeOut(bool b);

    // The GDI font; made on first use, shared by copies, deleted with the last of them.
    HFONT handle() const;
    LOGFONTW toLogFont() const;
    // Cell heights are taken as pixels at the screen's resolution.
    static QFont fromLogFont(const LOGFONTW& lf);

    friend bool operator==(const QFont& a, const QFont& b);
    friend bool operator!=(const QFont& a, const QFont& b) { return !(a == b); }

private:
    struct Handle;
    void Changed();

    QString m_family;
    int m_nPointSize;
    int m_nWeight;
    bool m_bItalic;
    bool m_bUnderline = false;
    bool m_bStrikeOut = false;
    std::shared_ptr<Handle> m_handle;  // shared by copies, filled on first use
};

class QFontMetrics {
public:
    explicit QFontMetrics(const QFont& font);
    int ascent() const { return m_tm.tmAscent; }
    int descent() const { return m_tm.tmDescent; }
    int height() const { return m_tm.tmHeight; }
    int leading() const { return m_tm.tmExternalLeading; }
    int lineSpacing() const { return m_tm.tmHeight + m_tm.tmExternalLeading; }
    int maxWidth() const { return m_tm.tmMaxCharWidth; }
    int width(const QString& text, int len = -1) const;
    int width(wchar_t c) const { return width(QString(std::wstring(1, c))); }
    QSize size(int flags, const QString& text) const;

private:
    QFont m_font;
    TEXTMETRICW m_tm{};
};
