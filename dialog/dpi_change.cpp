// The dialog moved to a monitor of another DPI. Per-monitor aware, it is told
// so and scales itself: it takes the place the system suggests, its font at
// the new DPI, and lays itself out as it did when it opened, its columns
// scaled to the new font.
#include "font_select_dialog.h"

LRESULT CFontSelectDialog::OnDpiChanged(WPARAM dpis, LPARAM suggested)
{
    const UINT dpi = HIWORD(dpis);
    const UINT previous = m_font.MoveTo(m_hWnd, dpi);
    const RECT& place = *reinterpret_cast<const RECT*>(suggested);
    ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (previous == dpi)
        return 0;
    FitControlsToTexts();
    if (HasFontList()) {
        for (int& width : m_textWidths)
            width = ::MulDiv(width, static_cast<int>(dpi), static_cast<int>(previous));
        m_nameMargins = ::MulDiv(m_nameMargins, static_cast<int>(dpi), static_cast<int>(previous));
        FitColumns();
    }
    return 0;
}
