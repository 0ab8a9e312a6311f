#pragma once
// A native scroll bar control ("SCROLLBAR") as a widget: range, steps and value in Qt's terms, the
// native bar's reports turned into valueChanged.
#include "platform/qt/QWidget.h"

class QScrollBar : public QWidget {
    Q_OBJECT
public:
    QScrollBar(Orientation orientation, QWidget* parent, const char* name = nullptr);

    Orientation orientation() const { return m_orientation; }
    int minValue() const { return m_nMin; }
    int maxValue() const { return m_nMax; }
    int value() const { return m_nValue; }
    int lineStep() const { return m_nLineStep; }
    int pageStep() const { return m_nPageStep; }
    void setRange(int minValue, int maxValue);
    void setSteps(int line, int page);
    void setTracking(bool enable) { m_bTracking = enable; }
    bool tracking() const { return m_bTracking; }
    bool draggingSlider() const { return m_bDragging; }
    QSize sizeHint() const override;

public slots:
    void setValue(int value);

signals:
    void valueChanged(int value);
    void sliderMoved(int value);

protected:
    bool winEvent(MSG* msg, LRESULT* result) override;

private:
    void ApplyNative();

    Orientation m_orientation;
    int m_nMin = 0;
    int m_nMax = 99;
    int m_nValue = 0;
    int m_nLineStep = 1;
    int m_nPageStep = 10;
    bool m_bTracking = true;
    bool m_bDragging = false;
};
