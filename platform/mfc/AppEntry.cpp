// The framework's entry point; linked into the application executable only.
#include "platform/mfc/CWinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, nCmdShow);
}
