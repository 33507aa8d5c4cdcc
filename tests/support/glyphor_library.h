#pragma once

#include "common/unique_handle.h"
#include "module/glyphor_api.h"
#include "registry_fixture.h"

#include <string>

// Glyphor.dll loaded by name, as the driver loads it, or from `folder`, for
// one profile: the host stand-in hands the library `profileKey` when it
// asks. Unloaded at the end of the scope.
class GlyphorLibrary {
public:
    explicit GlyphorLibrary(const std::string& profileKey, const std::string& folder = "");
    GlyphorLibrary(const GlyphorLibrary&) = delete;
    GlyphorLibrary& operator=(const GlyphorLibrary&) = delete;
    ~GlyphorLibrary();

    HMODULE Module() const { return m_module.get(); }

    RunGlyphorDialogFn runGlyphorDialog = nullptr;
    IsEnabledForFacenameFn IsEnabledForFacename = nullptr;
    IsEnabledForFacenameWFn IsEnabledForFacenameW = nullptr;
    IsColdStartFn IsColdStart = nullptr;
    SetAllToDefaultsFn SetAllToDefaults = nullptr;

private:
    ScopedEnvironment m_profile;
    UniqueHModule m_module;
};
