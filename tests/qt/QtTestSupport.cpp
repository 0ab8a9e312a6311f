#include "QtTestSupport.h"

namespace qttest {

DWORD GdiObjects()
{
    const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n != 0 || !RunningOnWine())
        return n;
    // Wine answers 0 here (a stub), but takes a handle's index alone: count the live ones.
    DWORD live = 0;
    for (ULONG_PTR h = 1; h < 0x10000; ++h)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0 ? 1 : 0;
    return live;
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
