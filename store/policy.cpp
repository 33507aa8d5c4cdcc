#include "policy.h"

#include "consistent_reading.h"
#include "registry_watch.h"
#include "value_names.h"
#include "common/unique_handle.h"

#include <windows.h>

#include <unordered_set>
#include <utility>

namespace {

// Group Policy writes the machine's policy for 32-bit and 64-bit programs
// alike in the 64-bit view; the user's hive has one view.
struct Hive {
    HKEY root;
    REGSAM view;
};
const Hive kMachine{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY};
const Hive kUser{HKEY_CURRENT_USER, 0};

// The registry limits a value name to this many UTF-16 units.
constexpr DWORD kLongestValueName = 16383;
// How long a look at the policy's watch holds, in ms: a change of the policy
// is honoured 10 ms after the registry signals it, at the latest.
constexpr DWORD kLookInterval = 10;

UniqueHKey OpenKey(HKEY parent, const wchar_t* path, REGSAM access)
{
    HKEY key = nullptr;
    return UniqueHKey(::RegOpenKeyExW(parent, path, 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}

// One pass over a list: the face names it holds, each once, in the
// registry's order. A value that is not a REG_SZ, or empty, or longer than a
// face name, names none. False when the list cannot be read to its end.
bool ReadFaces(HKEY list, std::vector<std::wstring>& faces)
{
    faces.clear();
    std::unordered_set<std::wstring> keys;
    std::vector<wchar_t> valueName(kLongestValueName + 1);
    // Room for a face name, its terminator and some slack: stored data may
    // carry more than one terminator. Longer data is no face name.
    wchar_t data[2 * (kLongestFaceName + 1)];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(valueName.size()), type = REG_NONE, size = sizeof data;
        const LONG result = ::RegEnumValueW(list, index, valueName.data(), &nameLength, nullptr, &type,
                                            reinterpret_cast<BYTE*>(data), &size);
        if (result == ERROR_NO_MORE_ITEMS)
            return true;
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return false;
        if (type != REG_SZ)
            continue;
        // The string ends at its first terminator, or with the data.
        std::wstring face(data, size / sizeof(wchar_t));
        face.resize(face.find(L'\0') == std::wstring::npos ? face.size() : face.find(L'\0'));
        if (!face.empty() && face.size() <= kLongestFaceName && keys.insert(MatchKey(face)).second)
            faces.push_back(std::move(face));
    }
}

// What a list holds, as one consistent pass found it. When another writer
// kept changing the list, every face some pass found, which names each face
// the list held throughout; the reading is then not consistent. A list that
// cannot be read to its end holds none.
struct ListReading {
    std::vector<std::wstring> faces;
    bool consistent = true;
};

ListReading ReadList(HKEY policy, const wchar_t* name)
{
    ListReading reading;
    const UniqueHKey list = OpenKey(policy, name, KEY_QUERY_VALUE);
    if (!list)
        return reading;
    std::vector<std::wstring> pass;
    std::unordered_set<std::wstring> found;
    bool readToEnd = false;
    const bool consistent = ReadConsistently(list.get(), [&] {
        if (!ReadFaces(list.get(), pass))
            return false;
        readToEnd = true;
        for (const std::wstring& face : pass)
            if (found.insert(MatchKey(face)).second)
                reading.faces.push_back(face);
        return true;
    });
    if (consistent)
        reading.faces = std::move(pass);
    else
        reading.consistent = !readToEnd; // no pass read it to its end: no list
    return reading;
}

// One hive's policy, as its keys hold it.
struct PolicyLevel {
    ListReading embedNever, embedAlways, tessellateNever, tessellateAlways, defaultNeverEmbed;
    bool lockAll = false;

    bool Consistent() const
    {
        return embedNever.consistent && embedAlways.consistent && tessellateNever.consistent &&
               tessellateAlways.consistent && defaultNeverEmbed.consistent;
    }
};

PolicyLevel ReadLevel(const Hive& hive)
{
    PolicyLevel level;
    const UniqueHKey policy = OpenKey(hive.root, kPolicyKey, KEY_READ | hive.view);
    if (!policy)
        return level;
    level.embedNever = ReadList(policy.get(), kEmbedNeverList);
    level.embedAlways = ReadList(policy.get(), kEmbedAlwaysList);
    level.tessellateNever = ReadList(policy.get(), kTessellateNeverList);
    level.tessellateAlways = ReadList(policy.get(), kTessellateAlwaysList);
    level.defaultNeverEmbed = ReadList(policy.get(), kDefaultNeverEmbedList);
    DWORD type = REG_NONE, lockAll = 0, size = sizeof lockAll;
    level.lockAll = ::RegQueryValueExW(policy.get(), kLockAllValue, nullptr, &type, reinterpret_cast<BYTE*>(&lockAll),
                                       &size) == ERROR_SUCCESS &&
                    type == REG_DWORD && size == sizeof lockAll && lockAll == 1;
    return level;
}

} // namespace

std::shared_ptr<const PolicySnapshot> PolicySnapshot::Read()
{
    auto snapshot = std::make_shared<PolicySnapshot>();
    const std::pair<PolicyScope, PolicyLevel> levels[] = {{PolicyScope::Machine, ReadLevel(kMachine)},
                                                          {PolicyScope::User, ReadLevel(kUser)}};
    for (const auto& [scope, level] : levels) {
        // One level's settings, "never" over "always".
        const struct {
            const std::vector<std::wstring>& faces;
            PolicySwitch FaceSwitches::*which;
            PolicySwitch setting;
        } lists[] = {{level.embedAlways.faces, &FaceSwitches::embedding, PolicySwitch::On},
                     {level.embedNever.faces, &FaceSwitches::embedding, PolicySwitch::Off},
                     {level.tessellateAlways.faces, &FaceSwitches::tessellation, PolicySwitch::On},
                     {level.tessellateNever.faces, &FaceSwitches::tessellation, PolicySwitch::Off}};
        const size_t at = scope == PolicyScope::Machine ? 0 : 1;
        for (const auto& list : lists)
            for (const std::wstring& face : list.faces)
                snapshot->m_faces[MatchKey(face)][at].*list.which = list.setting;
        snapshot->m_lockAll = snapshot->m_lockAll || level.lockAll;
        // The machine's list when it names a face, else the user's.
        if (snapshot->m_defaultNeverEmbed.empty())
            snapshot->m_defaultNeverEmbed = level.defaultNeverEmbed.faces;
        snapshot->m_consistent = snapshot->m_consistent && level.Consistent();
    }
    return snapshot;
}

namespace {

// A face asked for by a name its own may not hold.
struct AskedAndOwnNames {
    const std::wstring& asked;
    const FaceNames& face;

    template <typename Test>
    bool Any(Test test) const
    {
        return test(asked) || face.Any(test);
    }
};

} // namespace

// At the machine's level first, then the user's: the first level that sets
// the switch under any of the names says it, "never" over "always".
template <typename Names>
PolicySetting PolicySnapshot::SettingOf(const Names& names, bool tessellation) const
{
    PolicySetting setting;
    if (m_faces.empty())
        return setting;
    PolicySwitch FaceSwitches::*which = tessellation ? &FaceSwitches::tessellation : &FaceSwitches::embedding;
    for (const PolicyScope scope : {PolicyScope::Machine, PolicyScope::User}) {
        const size_t at = scope == PolicyScope::Machine ? 0 : 1;
        names.Any([&](const std::wstring& name) {
            const auto found = m_faces.find(MatchKey(name));
            const PolicySwitch state = found == m_faces.end() ? PolicySwitch::NotSet : found->second[at].*which;
            if (state != PolicySwitch::NotSet && setting.state != PolicySwitch::Off)
                setting = {state, scope};
            return setting.state == PolicySwitch::Off;
        });
        if (setting.state != PolicySwitch::NotSet)
            return setting;
    }
    return setting;
}

PolicySetting PolicySnapshot::Setting(const FaceNames& face, bool tessellation) const
{
    return SettingOf(face, tessellation);
}

PolicySetting PolicySnapshot::Setting(const std::wstring& face, bool tessellation) const
{
    return SettingOf(FaceNames(face), tessellation);
}

PolicySetting PolicySnapshot::Setting(const std::wstring& asked, const FaceNames& face, bool tessellation) const
{
    return SettingOf(AskedAndOwnNames{asked, face}, tessellation);
}

std::shared_ptr<const PolicySnapshot> CurrentPolicy()
{
    // Made at the first query, never while the library loads. Anything under
    // Software\Policies of either hive may be the policy's.
    static WatchedReading<PolicySnapshot> watch(
        {{kMachine.root, L"Software\\Policies", kMachine.view}, {kUser.root, L"Software\\Policies", kUser.view}},
        kLookInterval, &PolicySnapshot::Read);
    return watch.Current();
}
