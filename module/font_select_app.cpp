#include "font_select_app.h"

#include <string>

namespace {

const wchar_t kResourceLibrary[] = L"GlyphorRes.dll";
// Mapped as a resource image only, so that none of its code runs.
constexpr DWORD kResourceImage = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;

// The full path of a file in a module's folder (null: the program's); empty
// when the module's own path cannot be had.
std::wstring PathBeside(HMODULE module, const wchar_t* file)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(2 * path.size()); // cut short: a longer path than the buffer
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + file;
}

} // namespace

CFontSelectApp theApp;

CFontSelectApp::CFontSelectApp() : CWinApp(nullptr) {}

CFontSelectApp::~CFontSelectApp() = default;

bool CFontSelectApp::LoadResources()
{
    std::lock_guard<std::mutex> lock(m_resourceLock);
    if (m_hResourceDll)
        return true;
    // By full path, the copy installed with this library, then one beside
    // the host program: a search by bare name would also look in the
    // current directory and along PATH, where anyone may put a file of that
    // name with words of their own.
    for (HMODULE module : {m_pModuleState->m_hCurrentInstanceHandle, HMODULE{}}) {
        const std::wstring path = PathBeside(module, kResourceLibrary);
        if (!path.empty())
            m_hResourceDll.reset(::LoadLibraryExW(path.c_str(), nullptr, kResourceImage));
        if (m_hResourceDll)
            break;
    }
    if (!m_hResourceDll)
        return false;
    AFX_MANAGE_STATE(m_pModuleState);
    AfxSetResourceHandle(m_hResourceDll.get());
    return true;
}

int CFontSelectApp::ExitInstance()
{
    m_hResourceDll.reset();
    return CWinApp::ExitInstance();
}

BEGIN_MESSAGE_MAP(CFontSelectApp, CWinApp)
END_MESSAGE_MAP()
