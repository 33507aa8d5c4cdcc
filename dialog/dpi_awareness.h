#pragma once

#include <windows.h>

// Makes the calling thread per-monitor DPI aware for one scope, so that the
// windows it creates meanwhile are drawn at their monitor's DPI rather than
// stretched by the system, whatever awareness the host runs with: version 2
// where the system offers it, else version 1. The thread's awareness is put
// back when the scope ends. Nothing changes on a system without per-thread
// awareness.
class PerMonitorDpiAwareness {
public:
    PerMonitorDpiAwareness() noexcept;
    ~PerMonitorDpiAwareness();
    PerMonitorDpiAwareness(const PerMonitorDpiAwareness&) = delete;
    PerMonitorDpiAwareness& operator=(const PerMonitorDpiAwareness&) = delete;

private:
    using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    SetContext m_set = nullptr;
    DPI_AWARENESS_CONTEXT m_previous = nullptr;
};

// The DPI a window is drawn at: its monitor's for a per-monitor aware
// window, else the system's.
UINT DpiOf(HWND window);

// A size given for 96 DPI, at `dpi`.
inline int AtDpi(int pixelsAt96, UINT dpi)
{
    return ::MulDiv(pixelsAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}
