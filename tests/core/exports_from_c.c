/* The exports' header as a driver written in C includes it: the names it
   gives find the exports, whose types it gives. */
#include "module/glyphor_api.h"

int FindExportsFromC(HMODULE library, const char* face)
{
    RunGlyphorDialogFn runDialog = (RunGlyphorDialogFn)(void*)GetProcAddress(library, GLYPHOR_RUN_DIALOG_EXPORT);
    IsEnabledForFacenameFn isEnabled =
        (IsEnabledForFacenameFn)(void*)GetProcAddress(library, GLYPHOR_IS_ENABLED_FOR_FACENAME_EXPORT);
    IsColdStartFn isColdStart = (IsColdStartFn)(void*)GetProcAddress(library, GLYPHOR_IS_COLD_START_EXPORT);
    SetAllToDefaultsFn setAllToDefaults =
        (SetAllToDefaultsFn)(void*)GetProcAddress(library, GLYPHOR_SET_ALL_TO_DEFAULTS_EXPORT);
    if (!runDialog || !isEnabled || !isColdStart || !setAllToDefaults)
        return -1;
    return isEnabled(face, 0) ? 1 : 0;
}
