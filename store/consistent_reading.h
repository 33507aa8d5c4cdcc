#pragma once

#include <windows.h>

// A key's values are enumerated by index, and a value added or deleted
// meanwhile by another writer moves the later ones: a pass may skip a value
// that was there all along. A pass counts only when the key's value count
// and last write are the same after it as before; one that finds them moved
// is made again, a few times at most.

// What tells one state of a key's values from another.
struct KeyVersion {
    bool read = false;
    DWORD values = 0;
    FILETIME written{};

    bool operator==(const KeyVersion& other) const;
};

KeyVersion VersionOf(HKEY key);

// Passes over a list that another writer keeps changing, before the reader
// gives up on a consistent one.
inline constexpr int kReadingAttempts = 3;

// Runs `pass`, which reads the key's values from the first and returns false
// when it cannot read them to their end, until a pass finds the key as it
// was before it. True when one did: what that pass read is the key's state.
template <typename Pass>
bool ReadConsistently(HKEY key, Pass pass)
{
    for (int attempt = 0; attempt < kReadingAttempts; ++attempt) {
        const KeyVersion before = VersionOf(key);
        if (!before.read)
            return false;
        if (pass() && VersionOf(key) == before)
            return true;
    }
    return false;
}
