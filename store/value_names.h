#pragma once

// Face names as the registry matches value names: in UTF-16, without regard
// to case.

#include <string>

// The UTF-16 form of an ANSI face name, as the registry converts the name of
// an ANSI call (through the ANSI code page).
std::wstring WideFaceName(const char* face);

// What two names that the registry takes for one have in common: each unit
// upper-cased by the system's table, as ordinal matching without regard to
// case upper-cases it. Equal keys, equal names.
std::wstring MatchKey(std::wstring name);
