#pragma once

// Consistency of a font collection, judged from its public face alone.
#include "fonts/font_entry.h"

// The entry that a linear scan finds first for a name: byte for byte, or
// under the locale comparison. Null when there is none.
CFontEntry* FirstEqualEntry(const CFontEntryArray& fonts, const std::wstring& name);
CFontEntry* FirstLocaleEqualEntry(const CFontEntryArray& fonts, const wchar_t* name);

// Every entry is readable with flags of 0 or 1, and both lookups of every
// entry's name agree with a linear scan.
void ExpectConsistent(const CFontEntryArray& fonts);
