#pragma once
// The Qt application object that every hosted control needs: the one that exists, or one made on
// the first call and kept until the process ends. Call it before constructing the first control.
class QApplication;

QApplication* EnsureQtApplication();
