#pragma once
// What the Qt layer's tests add to tests/support/TestSupport.h: the application object, GDI handle
// counts and rendering a widget into a DIB.
#include "platform/qt/QApplication.h"
#include "platform/qt/QWidget.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace qttest {

// Forwarding only, for code written against the earlier names: the Wine detector and the marker
// are those of tests/support/Wine.h.
using ::RunningOnWine;
#define QT_KNOWN_WINE_DIFFERENCE(windowsBehaviour) WINE_KNOWN_DIFFERENCE(windowsBehaviour)

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
