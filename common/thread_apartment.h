#pragma once

#include <objbase.h>

// A single-threaded apartment on the calling thread for an object's life,
// entered where COM's calls found none (they fail with CO_E_NOTINITIALIZED
// on a thread without COM, in a process without a multithreaded apartment),
// and left on the same thread. Entered only then, so that a thread in the
// host's apartment, either kind, stays in it.
class ThreadApartment {
public:
    ThreadApartment() = default;
    ThreadApartment(const ThreadApartment&) = delete;
    ThreadApartment& operator=(const ThreadApartment&) = delete;
    ~ThreadApartment() { Leave(); }

    // False when COM cannot be had on this thread.
    bool Enter()
    {
        if (!m_entered)
            m_entered = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        return m_entered;
    }
    void Leave()
    {
        if (m_entered)
            ::CoUninitialize();
        m_entered = false;
    }

private:
    bool m_entered = false;
};
