#pragma once

#include "common/unique_handle.h"
#include "framework/afx.h"

#include <mutex>

// The library's application object: it owns the resource library, which is
// the library's current resource module once the dialog has first been
// asked for. Nothing is loaded, and nothing shown, while the library itself
// loads.
class CFontSelectApp : public CWinApp {
public:
    CFontSelectApp();
    ~CFontSelectApp() override;

    int ExitInstance() override;

    // Loads the resource library the first time it is found, from the folder
    // of this library, else from that of the host program, and makes it the
    // library's current resource module. False when it cannot be found.
    bool LoadResources();

    DECLARE_MESSAGE_MAP()

private:
    std::mutex m_resourceLock;
    UniqueHModule m_hResourceDll; // the resource library, null until loaded
};

extern CFontSelectApp theApp;
