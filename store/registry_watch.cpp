#include "registry_watch.h"

#include <utility>

namespace {

UniqueHKey OpenToWatch(const WatchedKey& key, const std::wstring& path)
{
    HKEY opened = nullptr;
    return UniqueHKey(::RegOpenKeyExW(key.root, path.c_str(), 0, KEY_NOTIFY | key.view, &opened) == ERROR_SUCCESS
                          ? opened
                          : nullptr);
}

// Asks the registry to signal `changed` once anything under the key may have
// changed, or, while it is missing, once a key is made under its fallback.
// The key watched is returned; it must stay open for the watch to last.
UniqueHKey Watch(const WatchedKey& key, HANDLE changed)
{
    constexpr DWORD kSubtreeChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    // Systems before Windows 8 refuse the flag; without it, the thread that
    // asked ending also signals, which costs one reading more.
    static std::atomic<DWORD> threadAgnostic{REG_NOTIFY_THREAD_AGNOSTIC};
    bool subtree = true;
    UniqueHKey watched = OpenToWatch(key, key.path);
    if (!watched) {
        watched = OpenToWatch(key, key.fallback);
        subtree = false;
    }
    if (!watched)
        return watched;
    const DWORD filter = subtree ? kSubtreeChanges : REG_NOTIFY_CHANGE_NAME;
    LONG result = ::RegNotifyChangeKeyValue(watched.get(), subtree, filter | threadAgnostic, changed, TRUE);
    if (result == ERROR_INVALID_PARAMETER && threadAgnostic) {
        threadAgnostic = 0;
        result = ::RegNotifyChangeKeyValue(watched.get(), subtree, filter, changed, TRUE);
    }
    return result == ERROR_SUCCESS ? std::move(watched) : UniqueHKey();
}

} // namespace

RegistryWatch::RegistryWatch(std::vector<WatchedKey> keys, DWORD lookInterval)
    : m_keys(std::move(keys)), m_lookInterval(lookInterval), m_changed(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_watched(m_keys.size())
{
}

bool RegistryWatch::Signalled() const
{
    return ::WaitForSingleObject(m_changed.get(), 0) != WAIT_TIMEOUT;
}

bool RegistryWatch::Unchanged()
{
    if (!m_watching || m_stale)
        return false;
    const DWORD now = ::GetTickCount();
    if (now - m_lastLook < m_lookInterval)
        return true;
    if (Signalled())
        return false;
    m_lastLook = now;
    return true;
}

bool RegistryWatch::Due() const
{
    return !m_watching || m_stale || Signalled();
}

bool RegistryWatch::Rearm()
{
    m_watching = false; // until the reading has succeeded
    m_stale = false;
    if (!m_changed)
        return false;
    // Closing a watched key signals the event: close them before it is reset.
    for (UniqueHKey& key : m_watched)
        key.reset();
    ::ResetEvent(m_changed.get());
    bool every = true;
    for (size_t index = 0; index < m_keys.size(); ++index) {
        m_watched[index] = Watch(m_keys[index], m_changed.get());
        every = every && m_watched[index];
    }
    return every;
}

void RegistryWatch::Watching(bool watching)
{
    m_lastLook = ::GetTickCount();
    m_watching = watching;
}
