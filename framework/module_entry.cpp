// Linked into every module built on the framework: the module's own state and
// the DllMain that starts and stops its application object.
#include "afx.h"

namespace {
AFX_MODULE_STATE g_moduleState;
}

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    return &g_moduleState;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    return AfxModuleMain(&g_moduleState, module, reason);
}
