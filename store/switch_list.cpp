#include "switch_list.h"

#include "consistent_reading.h"
#include "registry_key.h"
#include "value_names.h"

#include <new>
#include <vector>

namespace {

// The registry limits a value name to this many UTF-16 units.
constexpr DWORD kLongestValueName = 16383;

} // namespace

SwitchList::SwitchList(const std::string& path) : m_key(OpenUserKey(path, KEY_READ))
{
    m_opened = static_cast<bool>(m_key);
    if (!m_key)
        return;
    try {
        m_namesRead = ReadConsistently(m_key.get(), [this] { return ReadNames(); });
    } catch (const std::bad_alloc&) {
        m_namesRead = false;
    }
    if (m_namesRead)
        m_key.reset();
    else
        m_names.clear();
}

// Names are read in UTF-16: read through the ANSI code page, a name it cannot
// spell would come back as a look-alike or a question mark. One pass over
// the values, made again while another writer moves them.
bool SwitchList::ReadNames()
{
    m_names.clear();
    std::vector<wchar_t> name(kLongestValueName + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result =
            ::RegEnumValueW(m_key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return true;
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
