#pragma once

#include "common/unique_handle.h"

#include <windows.h>

// The activation context of a module's own manifest, the one an
// isolation-aware library carries as resource 2: windows created while it is
// active take the classes and common controls it names, whatever manifest
// the host program has. Null when the module has no such manifest.
UniqueActCtx ModuleManifestContext(HMODULE module);

// Activates a context on the calling thread for one scope; a null context
// leaves the thread's as it is.
class ActivatedContext {
public:
    explicit ActivatedContext(HANDLE context) noexcept;
    ~ActivatedContext();
    ActivatedContext(const ActivatedContext&) = delete;
    ActivatedContext& operator=(const ActivatedContext&) = delete;

private:
    ULONG_PTR m_cookie = 0;
    bool m_active = false;
};
