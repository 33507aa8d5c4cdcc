#pragma once

#include <windows.h>

// The dialog of a language written right to left is mirrored, as Windows
// mirrors its own: its template carries WS_EX_LAYOUTRTL, which its controls
// inherit, and text in a mirrored window reads right to left.

// True when `window` is laid out right to left.
bool IsMirrored(HWND window);

// The message box styles that make a box read as the dialog template
// `templateId` of `resources` does: MB_RTLREADING | MB_RIGHT for a mirrored
// template, none otherwise or without one.
UINT MessageBoxReading(HINSTANCE resources, UINT templateId);
