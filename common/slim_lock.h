#pragma once

#include <windows.h>

// Holds a slim reader/writer lock for a scope, shared or alone.
class HeldSlimLock {
public:
    HeldSlimLock(SRWLOCK& lock, bool shared) noexcept : m_lock(lock), m_shared(shared)
    {
        if (m_shared)
            ::AcquireSRWLockShared(&m_lock);
        else
            ::AcquireSRWLockExclusive(&m_lock);
    }
    HeldSlimLock(const HeldSlimLock&) = delete;
    HeldSlimLock& operator=(const HeldSlimLock&) = delete;
    ~HeldSlimLock()
    {
        if (m_shared)
            ::ReleaseSRWLockShared(&m_lock);
        else
            ::ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK& m_lock;
    bool m_shared;
};
