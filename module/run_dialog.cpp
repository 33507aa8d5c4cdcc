#include "activation_context.h"
#include "font_select_app.h"
#include "dialog/dpi_awareness.h"
#include "dialog/font_select_dialog.h"

#include <atomic>

namespace {

// The one text of the library's own: there is no resource library to word it.
const wchar_t kResourceLibraryMissing[] = L"GlyphorRes.dll not found";

// A second dialog would nest a modal loop in the first, or run beside it on
// another thread, and both would commit.
std::atomic<bool> g_dialogRunning{false};

// A dialog that has just started has no window yet: a further request waits
// this long for it, as long as that dialog runs.
constexpr ULONGLONG kOpeningWaitMs = 1000;
constexpr DWORD kOpeningPollMs = 10;

void BringOpenDialogToFront()
{
    const ULONGLONG until = ::GetTickCount64() + kOpeningWaitMs;
    while (!CFontSelectDialog::BringOpenDialogToFront() && g_dialogRunning && ::GetTickCount64() < until)
        ::Sleep(kOpeningPollMs);
}

// How the user closed the dialog, IDOK or IDCANCEL; 0 when it could not be
// shown. A failure inside the dialog once it was open has closed it: to the
// caller that is a Cancel, and nothing more is written.
int RunModal(CFontSelectDialog& dialog)
{
    try {
        const INT_PTR ended = dialog.DoModal();
        return ended == IDOK || ended == IDCANCEL ? static_cast<int>(ended) : 0;
    } catch (...) {
        return dialog.Opened() ? IDCANCEL : 0;
    }
}

} // namespace

extern "C" int runGlyphorDialog() noexcept
{
    if (g_dialogRunning.exchange(true)) {
        BringOpenDialogToFront();
        return 0;
    }
    // Nothing may unwind into the C caller. The dialog is destroyed and the
    // caller's module state restored on the way out of the scope below.
    int result = 0;
    try {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        if (theApp.ChooseResources()) {
            // The dialog and its controls are made, and the common controls'
            // classes registered, in the library's own context and at the
            // monitor's DPI; the host's are back once the dialog is gone.
            const UniqueActCtx controls = ModuleManifestContext(AfxGetStaticModuleState()->m_hCurrentInstanceHandle);
            const ActivatedContext activated(controls.get());
            const PerMonitorDpiAwareness aware;
            CFontSelectDialog dialog(nullptr);
            result = RunModal(dialog);
        } else {
            AfxMessageBox(kResourceLibraryMissing, MB_OK, 0);
        }
    } catch (...) {
    }
    g_dialogRunning = false;
    return result;
}
