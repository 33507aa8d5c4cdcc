#pragma once

#include "common/unique_handle.h"

#include <string>

// Opens a key under HKEY_CURRENT_USER; empty when the open fails, with the
// registry's error in *error when asked for. An empty path names no key (it
// would open HKEY_CURRENT_USER itself).
inline UniqueHKey OpenUserKey(const std::string& path, REGSAM access, LONG* error = nullptr)
{
    HKEY key = nullptr;
    LONG result = path.empty() ? ERROR_FILE_NOT_FOUND
                               : ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key);
    if (error)
        *error = result;
    return UniqueHKey(result == ERROR_SUCCESS ? key : nullptr);
}

// Opens a subkey of an open key; empty when the open fails, with the
// registry's error in *error when asked for.
inline UniqueHKey OpenSubkey(HKEY parent, const char* name, REGSAM access, LONG* error = nullptr)
{
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExA(parent, name, 0, access, &key);
    if (error)
        *error = result;
    return UniqueHKey(result == ERROR_SUCCESS ? key : nullptr);
}

// Creates (or opens) a non-volatile subkey with an empty class; empty on
// failure, with the registry's error in *error when asked for.
inline UniqueHKey CreateSubkey(HKEY parent, const char* name, REGSAM access, LONG* error = nullptr)
{
    HKEY key = nullptr;
    LONG result = ::RegCreateKeyExA(parent, name, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, access, nullptr,
                                    &key, nullptr);
    if (error)
        *error = result;
    return UniqueHKey(result == ERROR_SUCCESS ? key : nullptr);
}
