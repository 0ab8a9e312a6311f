#include "QtTestSupport.h"

namespace qttest {

DWORD GdiObjects()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

void Render(QWidget* w, DibSurface& dib)
{
    SendMessageW(w->winId(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
}

void Pump()
{
    msgseq::PumpMessages();
}

void AppEnvironment::SetUp()
{
    static int argc = 1;
    static char arg0[] = "qt_tests";
    static char* argv[] = {arg0, nullptr};
    m_pApp = new QApplication(argc, argv);
}

void AppEnvironment::TearDown()
{
    delete m_pApp;
    m_pApp = nullptr;
}

// Registered once per test program.
const ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace qttest
