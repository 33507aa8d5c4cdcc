#pragma once

#include <windows.h>

// Gives the dialog and each of its controls the help context number that the
// extended dialog template names for it, where the window manager has not
// already done so (Wine's does not): WM_HELP then reports the control's own
// number.
void ApplyTemplateHelpIds(HWND dialog, HINSTANCE module, UINT templateId);
