#define AFX_BUILD
#include "afx.h"

CWnd::~CWnd() = default;

void CWnd::SetRedraw(BOOL redraw) const
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0);
}

void CWnd::GetClientRect(RECT* rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::Detach()
{
    m_children.clear();
    m_hWnd = nullptr;
}
