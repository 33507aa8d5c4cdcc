#include "switch_list.h"

#include "consistent_reading.h"
#include "registry_key.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The registry limits a value name to this many UTF-16 units.
constexpr DWORD kLongestValueName = 16383;

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

} // namespace

SwitchList::SwitchList(const std::string& path) : m_key(OpenUserKey(path, KEY_READ))
{
    if (!m_key)
        return;
    // Names not all read, for want of memory or because the list kept
    // changing meanwhile, leave every face to the registry.
    try {
        m_namesRead = ReadConsistently(m_key.get(), [this] { return ReadNames(); });
    } catch (const std::bad_alloc&) {
        m_namesRead = false;
    }
    if (!m_namesRead) {
        m_asciiNames.clear();
        m_otherNames.clear();
    }
}

// Names are read in UTF-16: read through the ANSI code page, a name it cannot
// spell would come back as a look-alike or a question mark. One pass over
// the values, made again while another writer moves them.
bool SwitchList::ReadNames()
{
    m_asciiNames.clear();
    m_otherNames.clear();
    std::vector<wchar_t> name(kLongestValueName + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result =
            ::RegEnumValueW(m_key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return true;
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
