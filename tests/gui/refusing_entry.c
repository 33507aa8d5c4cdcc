// The entry point of a planted resource library: were it ever run, the
// library's load would fail, so a dialog that opens proves it was not.
#include <windows.h>

BOOL WINAPI RefuseToLoad(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    (void)module;
    (void)reason;
    (void)reserved;
    return FALSE;
}
