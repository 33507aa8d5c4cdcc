#define AFX_BUILD
#include "afx.h"

CWinApp::CWinApp(LPCWSTR pszAppName, AFX_MODULE_STATE* moduleState)
    : m_pszAppName(pszAppName), m_pModuleState(moduleState)
{
    AFX_MANAGE_STATE(moduleState);
    moduleState->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    if (m_pModuleState->m_pCurrentWinApp == this)
        m_pModuleState->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

std::wstring CWinApp::GetTitle() const
{
    if (m_pszAppName)
        return m_pszAppName;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(m_pModuleState->m_hCurrentInstanceHandle, path, MAX_PATH);
    std::wstring title(path);
    title.erase(0, title.find_last_of(L"\\/") + 1);
    title.erase(title.find_last_of(L'.') == std::wstring::npos ? title.size() : title.find_last_of(L'.'));
    return title;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()
