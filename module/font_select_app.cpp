#include "font_select_app.h"

CFontSelectApp theApp;

CFontSelectApp::CFontSelectApp() : CWinApp(nullptr) {}

CFontSelectApp::~CFontSelectApp() = default;

// Chosen at each call: a host may change the thread's languages between two.
bool CFontSelectApp::ChooseResources()
{
    std::lock_guard<std::mutex> lock(m_resourceLock);
    HMODULE resources = m_resources.Choose(m_pModuleState->m_hCurrentInstanceHandle);
    if (!resources)
        return false;
    AFX_MANAGE_STATE(m_pModuleState);
    AfxSetResourceHandle(resources);
    return true;
}

int CFontSelectApp::ExitInstance()
{
    m_resources = CResourceLibraries();
    return CWinApp::ExitInstance();
}

BEGIN_MESSAGE_MAP(CFontSelectApp, CWinApp)
END_MESSAGE_MAP()
