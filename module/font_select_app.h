#pragma once

#include "resource_libraries.h"
#include "framework/afx.h"

#include <mutex>

// The library's application object: it owns the resource libraries, one of
// which is the library's current resource module once the dialog has been
// asked for. Nothing is loaded, and nothing shown, while the library itself
// loads.
class CFontSelectApp : public CWinApp {
public:
    CFontSelectApp();
    ~CFontSelectApp() override;

    int ExitInstance() override;

    // Makes the resource library for the calling thread's languages the
    // library's current resource module (see CResourceLibraries). False when
    // there is none.
    bool ChooseResources();

    DECLARE_MESSAGE_MAP()

private:
    std::mutex m_resourceLock;
    CResourceLibraries m_resources;
};

extern CFontSelectApp theApp;
