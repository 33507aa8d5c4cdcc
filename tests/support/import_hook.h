#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Replaces one function that a module imports, in that module's import
// table, for a scope. Lets a test count or fail what the module calls.
class ImportHook {
public:
    // `original` takes the address the slot held before, to call through.
    template <typename Fn>
    ImportHook(HMODULE module, const char* dll, const char* function, Fn replacement, Fn& original)
        : ImportHook(module, dll, function, reinterpret_cast<const void*>(replacement))
    {
        original = reinterpret_cast<Fn>(const_cast<void*>(m_original));
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    ~ImportHook();

private:
    ImportHook(HMODULE module, const char* dll, const char* function, const void* replacement);
    void** m_slot = nullptr;
    const void* m_original = nullptr;
};

// A registry key that a module asked to open or create: its path or subkey
// name as passed, and the access it asked for.
using KeyRequest = std::pair<std::string, REGSAM>;

// Counts the registry keys, fonts and screen device contexts that a module
// obtains and releases while it lives, records every key it asks for by an
// ANSI name, and counts the fonts it deletes while a device context it
// selected them into still holds them (which Windows refuses, and Wine
// allows). Only one may exist at a time.
class HandleBalance {
public:
    explicit HandleBalance(HMODULE module);
    HandleBalance(const HandleBalance&) = delete;
    HandleBalance& operator=(const HandleBalance&) = delete;
    ~HandleBalance();

    long OpenKeys() const;     // keys opened or created, less keys closed
    long LiveFonts() const;    // fonts created, less fonts deleted
    long HeldDCs() const;      // device contexts obtained, less released
    long KeysOpenedInAll() const;
    long FontsCreatedInAll() const;
    long FontsDeletedWhileSelected() const;
    std::vector<KeyRequest> KeyRequests() const; // in order, granted or not; the first 512

private:
    ImportHook m_open, m_openWide, m_create, m_close, m_createFont, m_deleteObject, m_selectObject, m_getDC, m_releaseDC;
};

// Makes RegSetValueExW, through which the library writes every value, in a
// module fail with
// ERROR_ACCESS_DENIED after `allowed` more calls, as a store that stops
// taking writes does, for a scope.
class RegistryWriteFailure {
public:
    RegistryWriteFailure(HMODULE module, long allowed);
    RegistryWriteFailure(const RegistryWriteFailure&) = delete;
    RegistryWriteFailure& operator=(const RegistryWriteFailure&) = delete;
    ~RegistryWriteFailure();

    long Refused() const;

private:
    ImportHook m_setValue;
};

// Makes the next `failures` calls of PostMessageA in a module fail, as with
// a full message queue, for a scope.
class PostFailure {
public:
    PostFailure(HMODULE module, long failures);
    long Refused() const;

private:
    ImportHook m_post;
};

// Counts a module's MessageBeep calls, which make no sound, for a scope.
class BeepCount {
public:
    explicit BeepCount(HMODULE module);
    long Count() const;

private:
    ImportHook m_beep;
};

// Stands in for the host's GetCurrentProfileKey in a module, for a scope:
// records the thread of each call, and throws as a host without a current
// profile does, or answers late. With a fast clock, the module's
// GetTickCount64 moves on a minute at each reading, so that no wait before
// the host is asked again hides a call. Only one may exist at a time.
class HostProfile {
public:
    HostProfile(HMODULE module, bool failing, DWORD delayMs = 0, bool fastClock = false);
    void Answer(); // from now on, as the host does
    std::vector<DWORD> CallingThreads() const; // the first 64

private:
    ImportHook m_profile, m_clock;
};

// Makes every CreateFontW of a module take `ms` longer, for a scope: the
// dialog's discovery then lasts long enough to act while it runs.
class SlowFonts {
public:
    SlowFonts(HMODULE module, DWORD ms);
    SlowFonts(const SlowFonts&) = delete;
    SlowFonts& operator=(const SlowFonts&) = delete;
    ~SlowFonts();

private:
    ImportHook m_createFont;
};

// Makes operator new in a module fail (throw std::bad_alloc) after `allowed`
// more successful allocations, for a scope.
class AllocationFailure {
public:
    AllocationFailure(HMODULE module, long allowed);
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;
    ~AllocationFailure();

    long Failures() const;

private:
    ImportHook m_new;
    ImportHook m_newArray;
};
