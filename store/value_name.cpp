#include "value_name.h"

#include <windows.h>

#include <algorithm>

std::wstring ValueNameKey(const std::string& name)
{
    // Most face names are ASCII, which every ANSI code page turns into the
    // same units, and which the system upper-cases as ASCII does.
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::wstring key(name.size(), L'\0');
        std::transform(name.begin(), name.end(), key.begin(),
                       [](char c) { return static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
        return key;
    }
    const int bytes = static_cast<int>(name.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, name.data(), bytes, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, name.data(), bytes, wide.data(), length);
    // Without linguistic casing, upper case is the file system's and the
    // registry's, the same in every locale.
    std::wstring key(wide.size(), L'\0');
    const int mapped = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), length, key.data(), length,
                                       nullptr, nullptr, 0);
    return mapped == length ? key : wide;
}
