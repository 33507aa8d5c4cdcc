#include "dialog/font_select_dialog.h"

extern "C" void runGlyphorDialog()
{
    // Nothing may unwind into the C caller. A failure inside the dialog has
    // already closed it; the dialog is destroyed and the caller's module
    // state restored on the way out of the scope below.
    try {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        CFontSelectDialog dialog(nullptr);
        dialog.DoModal();
    } catch (...) {
    }
}
