#pragma once

#include "common/thread_apartment.h"
#include "common/unique_handle.h"

#include <windows.h>
#include <oleacc.h>

#include <string>

// A line whose changes a screen reader reads out without the focus going
// there, once the user is done with what changed it: a polite live region.
// Where the system knows no live regions (before Windows 8), nothing of it
// is missed but the reading out.
class CLiveRegion {
public:
    CLiveRegion() = default;
    CLiveRegion(const CLiveRegion&) = delete;
    CLiveRegion& operator=(const CLiveRegion&) = delete;
    ~CLiveRegion();

    // Marks the window, or none, a polite live region. On its thread.
    void Attach(HWND window);
    // Takes the mark away while the window still exists. On its thread.
    void Detach();

    // Shows the text; a change is read out when `announce` is set.
    void Show(const std::wstring& text, bool announce);

private:
    HWND m_window = nullptr;
    std::wstring m_text;
    UniqueHandle<IAccPropServices*, &ReleaseInterface<IAccPropServices>> m_services; // while marked
    ThreadApartment m_apartment; // entered for the mark where the thread had none
};
