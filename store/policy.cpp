#include "policy.h"

#include "consistent_reading.h"
#include "value_names.h"
#include "common/unique_handle.h"

#include <windows.h>

#include <atomic>
#include <mutex>
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
// How long a look at the policy's event holds, in ms.
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

// Asks the registry to signal `changed` once the policy of a hive may have
// changed: anything under Software\Policies, or, while that key is missing,
// a key created directly under Software. The key watched is returned; it
// must stay open for the watch to last.
UniqueHKey Watch(const Hive& hive, HANDLE changed)
{
    constexpr DWORD kSubtreeChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    // Systems before Windows 8 refuse the flag; without it, the thread that
    // asked ending also signals, which costs one reading more.
    static std::atomic<DWORD> threadAgnostic{REG_NOTIFY_THREAD_AGNOSTIC};
    bool subtree = true;
    UniqueHKey key = OpenKey(hive.root, L"Software\\Policies", KEY_NOTIFY | hive.view);
    if (!key) {
        key = OpenKey(hive.root, L"Software", KEY_NOTIFY | hive.view);
        subtree = false;
    }
    if (!key)
        return key;
    const DWORD filter = subtree ? kSubtreeChanges : REG_NOTIFY_CHANGE_NAME;
    LONG result = ::RegNotifyChangeKeyValue(key.get(), subtree, filter | threadAgnostic, changed, TRUE);
    if (result == ERROR_INVALID_PARAMETER && threadAgnostic) {
        threadAgnostic = 0;
        result = ::RegNotifyChangeKeyValue(key.get(), subtree, filter, changed, TRUE);
    }
    return result == ERROR_SUCCESS ? std::move(key) : UniqueHKey();
}

// The policy kept in memory, read again only after the registry signals a
// change in either hive. Both hives signal one event. A look at it is a
// round trip to the kernel (under Wine, to its server) that costs a third of
// the store's own open, query and close: it is looked at every 10 ms at most,
// and a change counts from the first query after the next look.
class PolicyWatch {
public:
    PolicyWatch() : m_changed(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    std::shared_ptr<const PolicySnapshot> Current()
    {
        const DWORD now = ::GetTickCount();
        if (m_watching && (now - m_lastLook < kLookInterval || Unchanged())) {
            if (now - m_lastLook >= kLookInterval)
                m_lastLook = now;
            std::lock_guard<std::mutex> lock(m_lock);
            return m_policy;
        }
        std::lock_guard<std::mutex> lock(m_lock);
        // Another thread may have read it again meanwhile.
        if (!m_watching || !Unchanged()) {
            m_watching = false; // until the reading below has succeeded
            const bool watching = WatchBothHives();
            // Read after the watch is set: a change from here on signals,
            // so a reading that met another writer is made again.
            m_policy = PolicySnapshot::Read();
            m_watching = watching;
        }
        m_lastLook = now;
        return m_policy;
    }

private:
    bool Unchanged() const { return ::WaitForSingleObject(m_changed.get(), 0) == WAIT_TIMEOUT; }

    bool WatchBothHives()
    {
        if (!m_changed)
            return false;
        // Closing a watched key signals the event: close them before it is reset.
        for (UniqueHKey& key : m_watched)
            key.reset();
        ::ResetEvent(m_changed.get());
        m_watched[0] = Watch(kMachine, m_changed.get());
        m_watched[1] = Watch(kUser, m_changed.get());
        return m_watched[0] && m_watched[1];
    }

    std::mutex m_lock;
    const UniqueHandleObject m_changed;
    UniqueHKey m_watched[2];             // machine, user
    std::atomic<bool> m_watching{false}; // else every query reads the policy
    std::atomic<DWORD> m_lastLook{0};    // when a look last found no change, in ms
    std::shared_ptr<const PolicySnapshot> m_policy;
};

} // namespace

std::shared_ptr<const PolicySnapshot> PolicySnapshot::Read()
{
    auto snapshot = std::make_shared<PolicySnapshot>();
    const PolicyLevel levels[] = {ReadLevel(kUser), ReadLevel(kMachine)}; // the machine's last: it overrides
    for (const PolicyLevel& level : levels) {
        // One level's settings, "never" over "always", then over the level below.
        std::unordered_map<std::wstring, FaceSwitches> own;
        const struct {
            const std::vector<std::wstring>& faces;
            PolicySwitch FaceSwitches::*which;
            PolicySwitch setting;
        } lists[] = {{level.embedAlways.faces, &FaceSwitches::embedding, PolicySwitch::On},
                     {level.embedNever.faces, &FaceSwitches::embedding, PolicySwitch::Off},
                     {level.tessellateAlways.faces, &FaceSwitches::tessellation, PolicySwitch::On},
                     {level.tessellateNever.faces, &FaceSwitches::tessellation, PolicySwitch::Off}};
        for (const auto& list : lists)
            for (const std::wstring& face : list.faces)
                own[MatchKey(face)].*list.which = list.setting;
        for (const auto& [key, switches] : own) {
            FaceSwitches& merged = snapshot->m_faces[key];
            for (PolicySwitch FaceSwitches::*which : {&FaceSwitches::embedding, &FaceSwitches::tessellation})
                if (switches.*which != PolicySwitch::NotSet)
                    merged.*which = switches.*which;
        }
        snapshot->m_lockAll = snapshot->m_lockAll || level.lockAll;
        if (!level.defaultNeverEmbed.faces.empty())
            snapshot->m_defaultNeverEmbed = level.defaultNeverEmbed.faces;
        snapshot->m_consistent = snapshot->m_consistent && level.Consistent();
    }
    return snapshot;
}

PolicySwitch PolicySnapshot::Switch(const char* face, bool tessellation) const
{
    if (m_faces.empty() || !face)
        return PolicySwitch::NotSet;
    return Switch(WideFaceName(face), tessellation);
}

PolicySwitch PolicySnapshot::Switch(const std::wstring& face, bool tessellation) const
{
    if (m_faces.empty())
        return PolicySwitch::NotSet;
    const auto found = m_faces.find(MatchKey(face));
    if (found == m_faces.end())
        return PolicySwitch::NotSet;
    return tessellation ? found->second.tessellation : found->second.embedding;
}

std::shared_ptr<const PolicySnapshot> CurrentPolicy()
{
    // Made at the first query, never while the library loads.
    static PolicyWatch watch;
    return watch.Current();
}
