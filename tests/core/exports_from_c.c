/* The exports' header as a driver written in C includes it: the names it
   gives find the exports, whose types it gives, and both queries agree. */
#include "module/glyphor_api.h"

int FindExportsFromC(HMODULE library, const char* face)
{
    RunGlyphorDialogFn runDialog = (RunGlyphorDialogFn)(void*)GetProcAddress(library, GLYPHOR_RUN_DIALOG_EXPORT);
    IsEnabledForFacenameFn isEnabled =
        (IsEnabledForFacenameFn)(void*)GetProcAddress(library, GLYPHOR_IS_ENABLED_FOR_FACENAME_EXPORT);
    IsEnabledForFacenameWFn isEnabledWide =
        (IsEnabledForFacenameWFn)(void*)GetProcAddress(library, GLYPHOR_IS_ENABLED_FOR_FACENAME_W_EXPORT);
    IsColdStartFn isColdStart = (IsColdStartFn)(void*)GetProcAddress(library, GLYPHOR_IS_COLD_START_EXPORT);
    SetAllToDefaultsFn setAllToDefaults =
        (SetAllToDefaultsFn)(void*)GetProcAddress(library, GLYPHOR_SET_ALL_TO_DEFAULTS_EXPORT);
    wchar_t wide[64] = {0};
    if (!runDialog || !isEnabled || !isEnabledWide || !isColdStart || !setAllToDefaults ||
        !MultiByteToWideChar(CP_ACP, 0, face, -1, wide, 64))
        return -1;
    return isEnabled(face, 0) == isEnabledWide(wide, 0) ? (isEnabled(face, 0) ? 1 : 0) : -2;
}
