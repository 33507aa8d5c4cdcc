#include "key_paths.h"

#include "host/kyreg8/kyreg8.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <new>

namespace {

// How long after the host failed to name its profile it is asked again.
constexpr ULONGLONG kRetryAfterMs = 1000;

std::mutex g_pathsLock;
std::unique_ptr<const KeyPaths> g_paths; // once the host has named its profile
bool g_hostFailed = false;
ULONGLONG g_hostFailedAt = 0;
const KeyPaths kNoProfile{};

} // namespace

const KeyPaths& ProfileKeyPaths()
{
    {
        std::lock_guard<std::mutex> lock(g_pathsLock);
        if (g_paths)
            return *g_paths;
        if (g_hostFailed && ::GetTickCount64() - g_hostFailedAt < kRetryAfterMs)
            return kNoProfile;
    }
    // The host may need its own locks or its user-interface thread to answer:
    // it is asked without holding ours.
    std::unique_ptr<const KeyPaths> paths;
    try {
        const std::string general = GetCurrentProfileKey() + "\\General";
        paths = std::make_unique<const KeyPaths>(
            KeyPaths{general, general + "\\" + kTessellateListName, general + "\\" + kEmbedListName});
    } catch (const std::bad_alloc&) {
        return kNoProfile; // a shortage of memory, not the host's answer: asked again at once
    } catch (...) {
        std::lock_guard<std::mutex> lock(g_pathsLock);
        g_hostFailed = true;
        g_hostFailedAt = ::GetTickCount64();
        return g_paths ? *g_paths : kNoProfile;
    }
    std::lock_guard<std::mutex> lock(g_pathsLock);
    // Paths another thread published meanwhile stand: callers hold them.
    if (!g_paths)
        g_paths = std::move(paths);
    return *g_paths;
}
