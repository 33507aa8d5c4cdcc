#include "switch_list.h"

#include "registry_key.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The registry limits a value name to this many UTF-16 units.
constexpr DWORD kLongestValueName = 16383;
// Passes over a list that another writer keeps changing, before its names
// are left to the registry.
constexpr int kReadAttempts = 3;

// Every ANSI code page turns the bytes below 0x80 into the same UTF-16 units,
// and between two such units the registry's upper-casing is ASCII's.
bool IsAscii(wchar_t unit)
{
    return unit < 0x80;
}

bool IsAsciiByte(char c)
{
    return IsAscii(static_cast<unsigned char>(c));
}

char UpperAscii(wchar_t unit)
{
    return static_cast<char>(unit >= L'a' && unit <= L'z' ? unit - L'a' + L'A' : unit);
}

template <typename Char>
std::string UpperAscii(const Char* begin, const Char* end)
{
    std::string upper(static_cast<size_t>(end - begin), '\0');
    std::transform(begin, end, upper.begin(), [](Char c) { return UpperAscii(static_cast<wchar_t>(c)); });
    return upper;
}

// What tells one state of a list from another: its value count and last write.
struct ListVersion {
    bool read = false;
    DWORD values = 0;
    FILETIME written{};

    bool operator==(const ListVersion& other) const
    {
        return read && other.read && values == other.values && ::CompareFileTime(&written, &other.written) == 0;
    }
};

ListVersion VersionOf(HKEY list)
{
    ListVersion version;
    version.read = ::RegQueryInfoKeyW(list, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &version.values,
                                      nullptr, nullptr, nullptr, &version.written) == ERROR_SUCCESS;
    return version;
}

} // namespace

SwitchList::SwitchList(const std::string& path) : m_key(OpenUserKey(path, KEY_READ))
{
    if (!m_key)
        return;
    // Names not all read, for want of memory or because the list kept
    // changing meanwhile, leave every face to the registry.
    try {
        for (int attempt = 0; attempt < kReadAttempts && !m_namesRead; ++attempt)
            m_namesRead = ReadNames();
    } catch (const std::bad_alloc&) {
        m_namesRead = false;
    }
    if (!m_namesRead) {
        m_asciiNames.clear();
        m_otherNames.clear();
    }
}

// Names are read in UTF-16: read through the ANSI code page, a name it cannot
// spell would come back as a look-alike or a question mark. Values are
// enumerated by index, and a value deleted meanwhile moves the later ones
// down: a pass counts only when the list's value count and last write are
// the same after it as before.
bool SwitchList::ReadNames()
{
    m_asciiNames.clear();
    m_otherNames.clear();
    const ListVersion before = VersionOf(m_key.get());
    if (!before.read)
        return false;
    std::vector<wchar_t> name(kLongestValueName + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result =
            ::RegEnumValueW(m_key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return VersionOf(m_key.get()) == before;
        if (result != ERROR_SUCCESS)
            return false;
        const wchar_t* begin = name.data();
        if (std::all_of(begin, begin + length, IsAscii))
            m_asciiNames.insert(UpperAscii(begin, begin + length));
        else
            m_otherNames.emplace(length, std::wstring(begin, length));
    }
}

// An ASCII face may match a name beyond ASCII only when they have the same
// length and agree, folded, wherever the name is ASCII.
bool SwitchList::MayMatchBeyondAscii(const std::string& upperFace) const
{
    const auto sameLength = m_otherNames.equal_range(upperFace.size());
    return std::any_of(sameLength.first, sameLength.second, [&](const auto& entry) {
        const std::wstring& name = entry.second;
        return std::equal(name.begin(), name.end(), upperFace.begin(),
                          [](wchar_t unit, char c) { return !IsAscii(unit) || UpperAscii(unit) == c; });
    });
}

bool SwitchList::Lists(const char* face) const
{
    if (!m_key || !face)
        return false;
    if (m_namesRead) {
        if (m_asciiNames.empty() && m_otherNames.empty())
            return false;
        const char* end = face + std::strlen(face);
        if (std::all_of(face, end, IsAsciiByte)) {
            const std::string upperFace = UpperAscii(face, end);
            if (m_asciiNames.count(upperFace))
                return true;
            if (!MayMatchBeyondAscii(upperFace))
                return false;
        }
    }
    return HasValue(m_key.get(), face);
}
