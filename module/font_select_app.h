#pragma once

#include "common/unique_handle.h"
#include "framework/afx.h"

// The library's application object: it owns the resource library, which is
// the library's current resource module while it is loaded.
class CFontSelectApp : public CWinApp {
public:
    CFontSelectApp();
    ~CFontSelectApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    UniqueHModule m_hResourceDll; // the resource library, null until loaded

    DECLARE_MESSAGE_MAP()
};

extern CFontSelectApp theApp;
