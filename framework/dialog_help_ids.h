#pragma once

#include "afx.h"

#include <utility>
#include <vector>

// The help context numbers that an extended dialog template gives the dialog
// and its controls.
struct DialogHelpIds {
    DWORD dialog = 0;
    std::vector<std::pair<DWORD, DWORD>> controls; // control id, help number
};

// Reads them from the template's `size` bytes; none at all when the template
// is not an extended one or does not hold within those bytes every part it
// announces. Nothing outside them is read.
AFX_API DialogHelpIds ReadDialogHelpIds(const void* data, size_t size);
// Reads them from a module's dialog template; none when it has no such template.
AFX_API DialogHelpIds ReadTemplateHelpIds(HINSTANCE module, UINT templateId);

// Gives the dialog and each of its controls the help context number that the
// extended dialog template names for it, where the window manager has not
// already done so (Wine's does not): WM_HELP then reports the control's own
// number.
void ApplyTemplateHelpIds(HWND dialog, HINSTANCE module, UINT templateId);
