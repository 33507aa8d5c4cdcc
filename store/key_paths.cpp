#include "key_paths.h"

#include "host/kyreg8/kyreg8.h"

#include <memory>
#include <mutex>

namespace {

std::mutex g_pathsLock;
std::unique_ptr<const KeyPaths> g_paths; // once the host has named its profile
const KeyPaths kNoProfile{};

} // namespace

const KeyPaths& ProfileKeyPaths()
{
    std::lock_guard<std::mutex> lock(g_pathsLock);
    if (g_paths)
        return *g_paths;
    try {
        const std::string general = GetCurrentProfileKey() + "\\General";
        g_paths.reset(new KeyPaths{general, general + "\\" + kTessellateListName, general + "\\" + kEmbedListName});
        return *g_paths;
    } catch (...) {
        return kNoProfile;
    }
}
