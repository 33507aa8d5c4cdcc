#include "dialog/font_select_dialog.h"
#include "font_select_app.h"

#include <atomic>

namespace {

const char kResourceLibraryMissing[] = "GlyphorRes.dll not found";

// A second dialog would nest a modal loop in the first, or run beside it on
// another thread, and both would commit.
std::atomic<bool> g_dialogRunning{false};

} // namespace

extern "C" void runGlyphorDialog()
{
    if (g_dialogRunning.exchange(true)) {
        CFontSelectDialog::BringOpenDialogToFront();
        return;
    }
    // Nothing may unwind into the C caller. A failure inside the dialog has
    // already closed it; the dialog is destroyed and the caller's module
    // state restored on the way out of the scope below.
    try {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        if (theApp.LoadResources()) {
            CFontSelectDialog dialog(nullptr);
            dialog.DoModal();
        } else {
            AfxMessageBox(kResourceLibraryMissing, MB_OK, 0);
        }
    } catch (...) {
    }
    g_dialogRunning = false;
}
