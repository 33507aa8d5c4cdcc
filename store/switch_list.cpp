#include "switch_list.h"

#include "registry_key.h"
#include "value_names.h"

#include <new>
#include <vector>

namespace {

// The registry limits a value name to this many UTF-16 units.
constexpr DWORD kLongestValueName = 16383;
// Passes over a list that another writer keeps changing, before its names
// are left to the registry.
constexpr int kReadAttempts = 3;

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
    m_opened = static_cast<bool>(m_key);
    if (!m_key)
        return;
    try {
        for (int attempt = 0; attempt < kReadAttempts && !m_namesRead; ++attempt)
            m_namesRead = ReadNames();
    } catch (const std::bad_alloc&) {
        m_namesRead = false;
    }
    if (m_namesRead)
        m_key.reset();
    else
        m_names.clear();
}

// Names are read in UTF-16: read through the ANSI code page, a name it cannot
// spell would come back as a look-alike or a question mark. Values are
// enumerated by index, and a value deleted meanwhile moves the later ones
// down: a pass counts only when the list's value count and last write are
// the same after it as before.
bool SwitchList::ReadNames()
{
    m_names.clear();
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
        m_names.insert(MatchKey(std::wstring(name.data(), length)));
    }
}

bool SwitchList::Lists(const std::wstring& name) const
{
    if (!m_opened)
        return false;
    if (m_namesRead)
        return m_names.count(MatchKey(name)) != 0;
    return ::RegQueryValueExW(m_key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool SwitchList::Lists(const FaceNames& face) const
{
    return face.Any([this](const std::wstring& name) { return Lists(name); });
}
