#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <vector>

// The dialog's font as the DPI of its monitor changes: the font it opened
// with, made again at the new DPI for the dialog and every control.
class CDialogFont {
public:
    // The DPI the dialog opened at.
    void Opened(HWND dialog);
    // Gives the dialog and its controls their font at `dpi`; returns the DPI
    // they had.
    UINT MoveTo(HWND dialog, UINT dpi);
    // Whether the dialog has moved to another DPI since it opened.
    bool Moved() const { return !m_made.empty(); }

private:
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    // Each font made, kept with the dialog: a walk started earlier may still
    // measure in the one it was given.
    std::vector<UniqueHFont> m_made;
};
