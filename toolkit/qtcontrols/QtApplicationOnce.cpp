#include "toolkit/qtcontrols/QtApplicationOnce.h"

#include <memory>

#include "platform/qt/QApplication.h"

QApplication* EnsureQtApplication()
{
    // Made once for the process; an application object that a program made itself comes first.
    static std::unique_ptr<QApplication> s_pOwnApplication;
    if (qApp)
        return qApp;
    static int s_argc = 1;
    static char s_szProgram[] = "Lumbra";
    static char* s_argv[] = {s_szProgram, nullptr};
    s_pOwnApplication = std::make_unique<QApplication>(s_argc, s_argv);
    return qApp;
}
