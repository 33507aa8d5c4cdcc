#include "activation_context.h"

#include "common/module_path.h"

namespace {

// ISOLATIONAWARE_MANIFEST_RESOURCE_ID, which the headers spell in ANSI only.
constexpr WORD kIsolationAwareManifest = 2;

} // namespace

UniqueActCtx ModuleManifestContext(HMODULE module)
{
    const std::wstring path = ModulePath(module);
    if (path.empty())
        return UniqueActCtx();
    ACTCTXW manifest{};
    manifest.cbSize = sizeof manifest;
    manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    manifest.lpSource = path.c_str();
    manifest.hModule = module;
    manifest.lpResourceName = MAKEINTRESOURCEW(kIsolationAwareManifest);
    const HANDLE context = ::CreateActCtxW(&manifest);
    return UniqueActCtx(context == INVALID_HANDLE_VALUE ? nullptr : context);
}

ActivatedContext::ActivatedContext(HANDLE context) noexcept
    : m_active(context && ::ActivateActCtx(context, &m_cookie))
{
}

ActivatedContext::~ActivatedContext()
{
    if (m_active)
        ::DeactivateActCtx(0, m_cookie);
}
