#include "consistent_reading.h"

bool KeyVersion::operator==(const KeyVersion& other) const
{
    return read && other.read && values == other.values && ::CompareFileTime(&written, &other.written) == 0;
}

KeyVersion VersionOf(HKEY key)
{
    KeyVersion version;
    version.read = ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &version.values,
                                      nullptr, nullptr, nullptr, &version.written) == ERROR_SUCCESS;
    return version;
}
