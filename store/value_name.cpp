#include "value_name.h"

#include "common/ansi_text.h"

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
    const std::wstring wide = Widened(name);
    const int length = static_cast<int>(wide.size());
    if (length == 0)
        return std::wstring();
    // Without linguistic casing, upper case is the file system's and the
    // registry's, the same in every locale.
    std::wstring key(wide.size(), L'\0');
    const int mapped = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), length, key.data(), length,
                                       nullptr, nullptr, 0);
    return mapped == length ? key : wide;
}
