#pragma once
// The launcher application: the whole run happens inside InitInstance.
#include "platform/mfc/CWinApp.h"

class UnpackProgress;

class CLumbra : public CWinApp {
    DECLARE_DYNAMIC(CLumbra)
public:
    CLumbra() = default;
    ~CLumbra() override = default;

    // Unpacks, starts the viewer, waits and cleans up; always FALSE, so no message loop runs.
    BOOL InitInstance() override;

    // Writes the embedded archive pszName into pszFolder; a failure ends the process with exit code 1.
    void UnpackArchive(const wchar_t* pszName, const wchar_t* pszFolder, UnpackProgress* pProgress = nullptr);

    DECLARE_MESSAGE_MAP()
};
