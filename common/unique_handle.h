#pragma once

#include <windows.h>

// Move-only owner of one Win32 handle, released through Close on every path.
template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != Handle{}; }

    Handle release() noexcept
    {
        Handle handle = m_handle;
        m_handle = Handle{};
        return handle;
    }

    void reset(Handle handle = Handle{}) noexcept
    {
        if (m_handle != Handle{})
            Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle{};
};

inline void ReleaseScreenDC(HDC dc) noexcept { ::ReleaseDC(nullptr, dc); }
// A COM interface pointer owns one reference.
template <typename Interface>
void ReleaseInterface(Interface* object) noexcept
{
    object->Release();
}

using UniqueHKey = UniqueHandle<HKEY, &::RegCloseKey>;
using UniqueHFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueHBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueHRgn = UniqueHandle<HRGN, &::DeleteObject>;
using UniqueMemoryDC = UniqueHandle<HDC, &::DeleteDC>;
using UniqueScreenDC = UniqueHandle<HDC, &ReleaseScreenDC>;
using UniqueHModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueHandleObject = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueHLocal = UniqueHandle<HLOCAL, &::LocalFree>;
using UniqueHWnd = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueHMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueFindHandle = UniqueHandle<HANDLE, &::FindClose>; // never INVALID_HANDLE_VALUE
using UniqueActCtx = UniqueHandle<HANDLE, &::ReleaseActCtx>;  // never INVALID_HANDLE_VALUE

// Selects a GDI object into a device context for one scope and puts the
// previous object back when the scope ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(m_dc, m_previous); }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
