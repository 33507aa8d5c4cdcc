#pragma once

// What the library reads from the registry and keeps in memory for every
// thread, read again only after the registry signals that it may have
// changed.

#include "common/unique_handle.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A key whose whole subtree is watched, and whose making and deletion, or
// those of any key on its path, are watched for too.
struct WatchedKey {
    HKEY root;
    std::wstring path;
    REGSAM view = 0;
};

// The registry's signal that watched keys may have changed: one event for all
// of them. A look at it is a round trip to the kernel (under Wine, to its
// server) that costs a third of the store's own open, query and close: it is
// looked at every `lookInterval` ms at most, and a change counts from the
// first look after it.
class RegistryWatch {
public:
    RegistryWatch(std::vector<WatchedKey> keys, DWORD lookInterval);
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    // True while a reading made since the last Rearm stands: every key is
    // watched, no change was signalled at the last look and none was made
    // by the library itself (Stale). Any thread, without a lock.
    bool Unchanged();
    // For the one thread that reads, under its lock: whether a reading is
    // due, and then watches every key anew, before the reading, so that a
    // change from then on signals. Watching() says whether every key is.
    bool Due() const;
    bool Rearm();
    void Watching(bool watching);
    // The library changed the keys itself: the next look finds a change.
    void Stale() { m_stale = true; }

private:
    bool Signalled() const;
    // Watches the keys on every key's path, below the hive's root, for keys
    // made or deleted directly under them. True when each was watched.
    bool WatchPaths();

    const std::vector<WatchedKey> m_keys;
    const DWORD m_lookInterval;
    // The registry does not signal the watch of a key that is deleted, and a
    // key made again later is another key: the keys on the paths are watched
    // too. They change seldom, the keys' contents often, so each has an event
    // of its own, and a change of contents watches the keys alone anew.
    const UniqueHandleObject m_changed;     // the keys' subtrees
    const UniqueHandleObject m_pathChanged; // the keys on their paths
    std::vector<UniqueHKey> m_watched;      // the keys, each open while watched
    std::vector<UniqueHKey> m_pathWatched;  // the keys on their paths, open while watched
    bool m_pathsWatched = false;            // every key on the paths is, since the last path change
    std::atomic<bool> m_watching{false}; // else every look finds a change
    std::atomic<bool> m_stale{false};
    std::atomic<DWORD> m_lastLook{0}; // when a look last found no change, in ms
};

// A reading kept for every thread: `read` runs at the first call (never
// while the library loads) and again after the watch finds a change; when a
// key cannot be watched, at every call. Throws what `read` throws.
template <typename Reading>
class WatchedReading {
public:
    using Read = std::function<std::shared_ptr<const Reading>()>;
    WatchedReading(std::vector<WatchedKey> keys, DWORD lookInterval, Read read)
        : m_watch(std::move(keys), lookInterval), m_read(std::move(read))
    {
    }

    std::shared_ptr<const Reading> Current()
    {
        const bool unchanged = m_watch.Unchanged();
        std::lock_guard<std::mutex> lock(m_lock);
        // Another thread may have read it again meanwhile.
        if (!unchanged && m_watch.Due()) {
            const bool watching = m_watch.Rearm();
            m_reading = m_read();
            m_watch.Watching(watching);
        }
        return m_reading;
    }

    // The library wrote the keys itself: its next call reads them again.
    void Stale() { m_watch.Stale(); }

private:
    RegistryWatch m_watch;
    const Read m_read;
    std::mutex m_lock;
    std::shared_ptr<const Reading> m_reading;
};
