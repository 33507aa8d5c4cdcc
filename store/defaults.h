#pragma once

#include <windows.h>

// Face names that start out with the embedding switch off, ended by an empty
// name. Stored profiles and the driver depend on these exact spellings.
extern const char* const kDefaultEmbedExclusions[];

extern "C" {
// True when at least one of the two list keys is missing or cannot be
// opened; false when it cannot tell (for want of memory).
bool IsColdStart() noexcept;

// Brings both lists to the defaults: an empty tessellation list and the
// default embedding exclusions (those of the administrator's policy when it
// names some), each a DWORD 0. The value of a face whose switch in a list the
// policy sets is neither written nor deleted. Returns ERROR_SUCCESS only when
// the lists hold exactly that, else the first registry error (that of
// opening General when it cannot be opened for writing, and nothing
// changes), ERROR_BUSY when another writer kept changing a list or the
// policy for about a second (the caller may call again),
// ERROR_NOT_ENOUGH_MEMORY or, for any other failure, ERROR_INTERNAL_ERROR.
LONG SetAllToDefaults() noexcept;
}
