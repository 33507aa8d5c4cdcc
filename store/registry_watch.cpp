#include "registry_watch.h"

#include <utility>

namespace {

UniqueHKey OpenToWatch(const WatchedKey& key, const std::wstring& path, LONG* error)
{
    HKEY opened = nullptr;
    *error = ::RegOpenKeyExW(key.root, path.c_str(), 0, KEY_NOTIFY | key.view, &opened);
    return UniqueHKey(*error == ERROR_SUCCESS ? opened : nullptr);
}

// Asks the registry to signal `changed` once anything under the key at
// `path` may have changed (`subtree`), or a key was made or deleted directly
// under it. The key watched is returned; it must stay open for the watch to
// last. `missing` tells a key that is not there from one that cannot be
// watched.
UniqueHKey Watch(const WatchedKey& key, const std::wstring& path, bool subtree, HANDLE changed, bool* missing)
{
    constexpr DWORD kSubtreeChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    // Systems before Windows 8 refuse the flag; without it, the thread that
    // asked ending also signals, which costs one reading more.
    static std::atomic<DWORD> threadAgnostic{REG_NOTIFY_THREAD_AGNOSTIC};
    LONG error = ERROR_SUCCESS;
    UniqueHKey watched = OpenToWatch(key, path, &error);
    *missing = error == ERROR_FILE_NOT_FOUND;
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
      m_pathChanged(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_watched(m_keys.size())
{
}

bool RegistryWatch::Signalled() const
{
    const HANDLE events[] = {m_changed.get(), m_pathChanged.get()};
    return ::WaitForMultipleObjects(2, events, FALSE, 0) != WAIT_TIMEOUT;
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

bool RegistryWatch::WatchPaths()
{
    // Closing a watched key signals the event: close them before it is reset.
    m_pathWatched.clear();
    ::ResetEvent(m_pathChanged.get());
    bool every = true;
    for (const WatchedKey& key : m_keys) {
        // A key missing ends its path: the one above it signals its making.
        for (size_t end = key.path.find(L'\\'); end != std::wstring::npos; end = key.path.find(L'\\', end + 1)) {
            bool missing = false;
            UniqueHKey watched = Watch(key, key.path.substr(0, end), false, m_pathChanged.get(), &missing);
            if (missing)
                break;
            every = every && watched;
            m_pathWatched.push_back(std::move(watched));
        }
    }
    return every;
}

bool RegistryWatch::Rearm()
{
    m_watching = false; // until the reading has succeeded
    m_stale = false;
    if (!m_changed || !m_pathChanged)
        return false;
    if (!m_pathsWatched || ::WaitForSingleObject(m_pathChanged.get(), 0) != WAIT_TIMEOUT)
        m_pathsWatched = WatchPaths();
    // Closing a watched key signals the event: close them before it is reset.
    for (UniqueHKey& key : m_watched)
        key.reset();
    ::ResetEvent(m_changed.get());
    bool every = m_pathsWatched;
    for (size_t index = 0; index < m_keys.size(); ++index) {
        bool missing = false;
        m_watched[index] = Watch(m_keys[index], m_keys[index].path, true, m_changed.get(), &missing);
        every = every && (m_watched[index] || missing);
    }
    return every;
}

void RegistryWatch::Watching(bool watching)
{
    m_lastLook = ::GetTickCount();
    m_watching = watching;
}
