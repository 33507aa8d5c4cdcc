#include "dpi_awareness.h"

#include "common/unique_handle.h"

namespace {

// Both come with Windows 10 (1607); looked up, so that the library loads on
// systems without them.
template <typename Function>
Function User32Function(const char* name)
{
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

} // namespace

PerMonitorDpiAwareness::PerMonitorDpiAwareness() noexcept
    : m_set(User32Function<SetContext>("SetThreadDpiAwarenessContext"))
{
    if (!m_set)
        return;
    // A system that refuses version 2 (an older Windows 10, Wine) takes version 1.
    m_previous = m_set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (!m_previous)
        m_previous = m_set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

PerMonitorDpiAwareness::~PerMonitorDpiAwareness()
{
    if (m_previous)
        m_set(m_previous);
}

UINT DpiOf(HWND window)
{
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = User32Function<GetDpiForWindow>("GetDpiForWindow");
    if (const UINT dpi = dpiForWindow ? dpiForWindow(window) : 0)
        return dpi;
    const UniqueScreenDC screen(::GetDC(nullptr));
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}
