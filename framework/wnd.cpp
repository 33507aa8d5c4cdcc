#define AFX_BUILD
#include "afx.h"

#include <utility>

CWnd::~CWnd() = default;

void CWnd::SetRedraw(BOOL redraw) const
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0);
}

void CWnd::GetClientRect(RECT* rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

HWND CWnd::Detach()
{
    return std::exchange(m_hWnd, nullptr);
}
