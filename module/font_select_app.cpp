#include "font_select_app.h"

#include "store/key_paths.h"

namespace {
const char kResourceLibrary[] = "GlyphorRes.dll";
const char kResourceLibraryMissing[] = "GlyphorRes.dll not found";
constexpr DWORD kResourceImage = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
} // namespace

// Built before the key paths and destroyed after them.
GLYPHOR_INIT_APP CFontSelectApp theApp;

CFontSelectApp::CFontSelectApp() : CWinApp(nullptr) {}

CFontSelectApp::~CFontSelectApp() = default;

BOOL CFontSelectApp::InitInstance()
{
    // By bare name: the platform's search order decides which file is found.
    // Mapped as a resource image only, so that none of its code runs, even
    // in a copy planted somewhere on that search path.
    m_hResourceDll.reset(::LoadLibraryExA(kResourceLibrary, nullptr, kResourceImage));
    if (!m_hResourceDll) {
        AfxMessageBox(kResourceLibraryMissing, MB_OK, 0);
        return FALSE;
    }
    AfxSetResourceHandle(m_hResourceDll.get());
    return CWinApp::InitInstance();
}

int CFontSelectApp::ExitInstance()
{
    m_hResourceDll.reset();
    return CWinApp::ExitInstance();
}

BEGIN_MESSAGE_MAP(CFontSelectApp, CWinApp)
END_MESSAGE_MAP()
