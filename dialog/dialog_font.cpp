#include "dialog_font.h"

#include "dpi_awareness.h"

void CDialogFont::Opened(HWND dialog)
{
    m_dpi = DpiOf(dialog);
}

UINT CDialogFont::MoveTo(HWND dialog, UINT dpi)
{
    const UINT previous = m_dpi;
    LOGFONTW font{};
    const auto current = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (dpi == previous || !current || !::GetObjectW(current, sizeof font, &font))
        return previous;
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(previous));
    font.lfWidth = ::MulDiv(font.lfWidth, static_cast<int>(dpi), static_cast<int>(previous));
    UniqueHFont made(::CreateFontIndirectW(&font));
    if (!made)
        return previous;
    const WPARAM handle = reinterpret_cast<WPARAM>(made.get());
    ::SendMessageW(dialog, WM_SETFONT, handle, FALSE);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageW(child, WM_SETFONT, handle, TRUE);
    m_made.push_back(std::move(made));
    m_dpi = dpi;
    return previous;
}
