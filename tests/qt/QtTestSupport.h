#pragma once
// What the Qt layer's tests share: the application object, a Wine detector with the marker for
// known differences, GDI handle counts and rendering a widget into a DIB.
#include "platform/qt/QApplication.h"
#include "platform/qt/QWidget.h"

#include "DibSurface.h"

#include <gtest/gtest.h>

namespace qttest {

bool RunningOnWine();
// Marks a check where Wine differs from Windows: says what Windows does, never skips silently.
#define QT_KNOWN_WINE_DIFFERENCE(windowsBehaviour) \
    ::testing::Test::RecordProperty("known_wine_difference", windowsBehaviour)

DWORD GdiObjects();
// The widget's client area as its paint event draws it (WM_PRINTCLIENT into a DIB).
void Render(QWidget* w, DibSurface& dib);
// Dispatches until nothing is queued (posted events included).
void Pump();

// One application object for the whole test program.
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    QApplication* m_pApp = nullptr;
};

}  // namespace qttest
