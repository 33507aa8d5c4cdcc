#include "glyphor_library.h"

#include <stdexcept>

namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name)
{
    auto address = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    if (!address)
        throw std::runtime_error(std::string("Glyphor.dll does not export ") + name);
    return address;
}

} // namespace

GlyphorLibrary::GlyphorLibrary(const std::string& profileKey, const std::string& folder)
    : m_profile("KYREG8_PROFILE_KEY", profileKey.c_str()),
      m_module(::LoadLibraryA(folder.empty() ? "Glyphor.dll" : (folder + "\\Glyphor.dll").c_str()))
{
    if (!m_module)
        throw std::runtime_error("cannot load Glyphor.dll, error " + std::to_string(::GetLastError()));
    runGlyphorDialog = Export<RunGlyphorDialogFn>(m_module.get(), "runGlyphorDialog");
    IsEnabledForFacename = Export<IsEnabledForFacenameFn>(m_module.get(), "IsEnabledForFacename");
    IsEnabledForFacenameW = Export<IsEnabledForFacenameWFn>(m_module.get(), "IsEnabledForFacenameW");
    IsColdStart = Export<IsColdStartFn>(m_module.get(), "IsColdStart");
    SetAllToDefaults = Export<SetAllToDefaultsFn>(m_module.get(), "SetAllToDefaults");
}

GlyphorLibrary::~GlyphorLibrary() = default;
