#pragma once

// The full names a face's own name table gives it.

#include <windows.h>

#include <string>
#include <vector>

// One full name (name ID 4) of the Windows platform, with the language it is
// given for.
struct TableName {
    std::wstring name;
    LANGID language = 0;
};

// The full names of a `name` table as a font holds it, in the table's order.
// A font is untrusted input: every offset and length is checked against
// `size`, so a table whose header or records do not fit gives no names, and
// a record whose string does not fit, or is not UTF-16, gives none. A name
// ends at its first NUL; one that is empty, longer than a face name can be
// or holds a control character names no face and is left out.
std::vector<TableName> FullNamesIn(const BYTE* table, size_t size);

// The most of a name table that its offsets can reach: its header, 65,535
// records, and a string of the largest length at the largest offset from
// storage at the largest offset.
inline constexpr size_t kLongestNameTable = 6 + 65535 * 12 + 3 * 65535;
