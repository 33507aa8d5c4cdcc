#define AFX_BUILD
#include "afx.h"

namespace {

// The state of the process's main module, current whenever no module has
// selected its own.
AFX_MODULE_STATE g_hostModuleState{::GetModuleHandleA(nullptr), ::GetModuleHandleA(nullptr), nullptr, false};

thread_local AFX_MODULE_STATE* t_currentModuleState = nullptr;

} // namespace

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_currentModuleState ? t_currentModuleState : &g_hostModuleState;
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state)
{
    AFX_MODULE_STATE* previous = t_currentModuleState;
    t_currentModuleState = state;
    return previous;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE resources)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = resources;
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT)
{
    CWinApp* app = AfxGetModuleState()->m_pCurrentWinApp;
    const std::wstring title = app ? app->GetTitle() : std::wstring();
    return ::MessageBoxW(::GetActiveWindow(), text, title.empty() ? nullptr : title.c_str(), type);
}

// Read in place: the text is shown as stored, whatever the ANSI code page
// can spell.
std::wstring AfxLoadString(UINT nID)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

AfxResourceData AfxGetResourceData(HINSTANCE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = ::FindResourceW(module, name, type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data ? AfxResourceData{data, ::SizeofResource(module, found)} : AfxResourceData{};
}

BOOL AfxModuleMain(AFX_MODULE_STATE* state, HINSTANCE module, DWORD reason)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH: {
        state->m_hCurrentInstanceHandle = module;
        state->m_hCurrentResourceHandle = module;
        CWinApp* app = state->m_pCurrentWinApp;
        if (!app)
            return TRUE;
        AFX_MANAGE_STATE(state);
        BOOL started = FALSE;
        try {
            started = app->InitInstance();
        } catch (...) {
            started = FALSE;
        }
        if (!started) {
            try {
                app->ExitInstance();
            } catch (...) {
            }
            return FALSE;
        }
        state->m_bAppRunning = true;
        return TRUE;
    }
    case DLL_PROCESS_DETACH:
        // Also reached after a failed attach, when ExitInstance has already run.
        if (state->m_pCurrentWinApp && state->m_bAppRunning) {
            AFX_MANAGE_STATE(state);
            state->m_bAppRunning = false;
            try {
                state->m_pCurrentWinApp->ExitInstance();
            } catch (...) {
            }
        }
        return TRUE;
    default:
        return TRUE;
    }
}
