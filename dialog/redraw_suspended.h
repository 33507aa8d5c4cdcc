#pragma once

#include "framework/afx.h"

// Suspends a window's redrawing for a scope and repaints it once at the end:
// thousands of insertions or check changes then cost one repaint, not one each.
class RedrawSuspended {
public:
    explicit RedrawSuspended(const CWnd& window) : m_window(window) { m_window.SetRedraw(FALSE); }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;
    ~RedrawSuspended()
    {
        m_window.SetRedraw(TRUE);
        ::InvalidateRect(m_window.m_hWnd, nullptr, TRUE);
    }

private:
    const CWnd& m_window;
};
