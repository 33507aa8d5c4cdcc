#pragma once

#include <windows.h>

// Face names that start out with the embedding switch off, ended by an empty
// name. Stored profiles and the driver depend on these exact spellings.
extern const char* const kDefaultEmbedExclusions[];

extern "C" {
// True when at least one of the two list keys is missing or cannot be opened.
bool IsColdStart();

// Rebuilds both lists: an empty tessellation list and the default embedding
// exclusions. Returns the registry error when General cannot be opened, else 0.
LONG SetAllToDefaults();
}
