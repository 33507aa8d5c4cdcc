#include "value_names.h"

#include <windows.h>

#include <cstring>

std::wstring WideFaceName(const char* face)
{
    // No character of an ANSI code page takes more than one unit, nor fewer
    // than one byte: one call converts.
    const size_t bytes = std::strlen(face);
    std::wstring wide(bytes, L'\0');
    const int length =
        bytes ? ::MultiByteToWideChar(CP_ACP, 0, face, static_cast<int>(bytes), wide.data(), static_cast<int>(bytes)) : 0;
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return wide;
}

std::wstring MatchKey(std::wstring name)
{
    // Upper-casing without linguistic rules maps each unit to one unit, by
    // the table the system's ordinal comparison uses: in place.
    if (!name.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), static_cast<int>(name.size()),
                        name.data(), static_cast<int>(name.size()), nullptr, nullptr, 0);
    return name;
}
