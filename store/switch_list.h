#pragma once

#include "common/unique_handle.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

// One switch list whose value names are read once, to answer for many faces
// whether it lists them. The registry matches a name in UTF-16, converted from
// the ANSI code page, without regard to case by its own upper-casing. Of the
// names read, only what ASCII case folding settles is answered here; any other
// face is asked of the registry, so every answer is the registry's own.
class SwitchList {
public:
    // Opens the list at a path under HKEY_CURRENT_USER and reads its names.
    explicit SwitchList(const std::string& path);

    // A list that could not be opened lists no face; a null face is never listed.
    bool Lists(const char* face) const;

private:
    bool ReadNames();
    bool MayMatchBeyondAscii(const std::string& upperFace) const;

    UniqueHKey m_key;
    bool m_namesRead = false; // when false, every face is asked of the registry
    std::unordered_set<std::string> m_asciiNames;                 // upper-cased
    std::unordered_multimap<size_t, std::wstring> m_otherNames; // by length in UTF-16 units
};
