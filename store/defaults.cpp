#include "defaults.h"

#include "key_paths.h"
#include "policy.h"
#include "registry_key.h"
#include "switch_store.h"
#include "value_names.h"
#include "names/resolved_names.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

const char* const kDefaultEmbedExclusions[] = {
    "Arial",
    "Arial Black",
    "Comic Sans MS",
    "Courier New",
    "Impact",
    "Lucinda Console",
    "Lucinda Sans Unicode",
    "Marlett",
    "Tahoma",
    "Tahoma Bold",
    "Times New Roman",
    "Times New Roman Bold",
    "Times New Roman Bold Italic",
    "Times New Roman Italic",
    "Verdana",
    "Verdana Bold",
    "Verdana Bold Italic",
    "Verdana Italic",
    "Webdings",
    "Wingdings",
    "",
};

namespace {

bool CanOpenForWriting(const std::string& path)
{
    return static_cast<bool>(OpenUserKey(path, KEY_SET_VALUE));
}

// What the reset does to a list: read its names and set and delete its values.
constexpr REGSAM kListAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;
// The rights that deleting a key's subkeys through its handle takes.
constexpr REGSAM kDeleteSubkeysAccess = DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE;
// The registry limits a value name to this many UTF-16 units.
constexpr DWORD kLongestValueName = 16383;
// Another writer may change a list while the reset cleans it: each list is
// read again after its extras are deleted, this many times at most.
constexpr int kCleaningPasses = 4;
// A reset that met another writer throughout is made again after a pause,
// until this much time in ms has gone by since it started.
constexpr DWORD kBusyRetryPause = 20;
constexpr DWORD kBusyPatience = 1000;

// Whether the policy sets a switch of the face a value names, under that
// name or any other of the face's: an administrator may name a face in any
// of its languages, and the user's value in another.
bool PolicySets(const PolicySnapshot& policy, const std::wstring& name, bool tessellation)
{
    if (!policy.SetsAnySwitch())
        return false;
    if (policy.Setting(name, tessellation).state != PolicySwitch::NotSet)
        return true;
    const std::shared_ptr<const FaceNames> names = ResolvedFaceNames(name);
    return names && policy.Setting(name, *names, tessellation).state != PolicySwitch::NotSet;
}

// The faces the embedding list is to hold: the administrator's, else the
// built-in ones, less those whose embedding switch the policy sets, which the
// reset leaves as they are. Written and compared in UTF-16, so that a name
// the ANSI code page cannot spell stays whole.
class DefaultFaces {
public:
    explicit DefaultFaces(const PolicySnapshot& policy)
    {
        std::vector<std::wstring> names = policy.DefaultNeverEmbed();
        if (names.empty())
            for (const char* const* face = kDefaultEmbedExclusions; **face; ++face)
                names.push_back(WideFaceName(*face));
        for (std::wstring& name : names) {
            if (PolicySets(policy, name, false))
                continue;
            m_indexes.emplace(MatchKey(name), m_names.size());
            m_names.push_back(std::move(name));
        }
    }

    const std::vector<std::wstring>& Names() const { return m_names; }

    // The index of the default that the registry takes `name` for, or npos:
    // value names match without regard to case.
    size_t IndexOf(const wchar_t* name) const
    {
        const auto found = m_indexes.find(MatchKey(name));
        return found == m_indexes.end() ? std::wstring::npos : found->second;
    }

private:
    std::vector<std::wstring> m_names; // each once, as the registry matches names
    std::unordered_map<std::wstring, size_t> m_indexes;
};

// Opens a list under General, or creates it when it is missing: General is
// then opened again with the right to create it.
LONG OpenOrCreateList(HKEY general, const char* name, UniqueHKey& list)
{
    LONG error = ERROR_SUCCESS;
    list = OpenSubkey(general, name, kListAccess, &error);
    if (list || error != ERROR_FILE_NOT_FOUND)
        return error;
    UniqueHKey creating = OpenUserKey(ProfileKeyPaths().general, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &error);
    if (creating)
        list = CreateSubkey(creating.get(), name, kListAccess, &error);
    return error;
}

// Writes each default as a DWORD 0 unless it is one already: a default
// listed all along stays listed throughout.
LONG WriteDefaults(HKEY embedList, const DefaultFaces& defaults)
{
    const DWORD off = 0;
    for (const std::wstring& face : defaults.Names()) {
        DWORD type = REG_NONE, datum = 1, size = sizeof datum;
        const LONG read =
            ::RegQueryValueExW(embedList, face.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&datum), &size);
        if (read == ERROR_SUCCESS && type == REG_DWORD && size == sizeof datum && datum == 0)
            continue;
        const LONG written =
            ::RegSetValueExW(embedList, face.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
        if (written != ERROR_SUCCESS)
            return written;
    }
    return ERROR_SUCCESS;
}

// A list as the reset is to leave it: the defaults it is to hold (none when
// null), and beside them the values of the faces whose switch in this list the
// policy sets, which it neither writes nor deletes: the user's own choice
// stands when the policy is lifted.
struct ListRules {
    const DefaultFaces* keep;
    const PolicySnapshot& policy;
    bool tessellation;

    bool LeavesAlone(const wchar_t* name) const
    {
        return PolicySets(policy, name, tessellation);
    }
};

// What one reading of a list found: the names of the values that are not to
// stay, its subkeys, and whether it holds every default it is to keep.
struct ListContents {
    std::vector<std::wstring> extras;
    DWORD subkeys = 0;
    bool holdsDefaults = true;

    bool Clean() const { return extras.empty() && subkeys == 0 && holdsDefaults; }
};

LONG ReadList(HKEY list, const ListRules& rules, ListContents& contents)
{
    const DefaultFaces* keep = rules.keep;
    contents = ListContents{};
    LONG error = ::RegQueryInfoKeyW(list, nullptr, nullptr, nullptr, &contents.subkeys, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr);
    std::vector<bool> kept(keep ? keep->Names().size() : 0);
    std::vector<wchar_t> name(kLongestValueName + 1);
    for (DWORD index = 0; error == ERROR_SUCCESS; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        error = ::RegEnumValueW(list, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (error != ERROR_SUCCESS)
            break;
        const size_t defaultIndex = keep ? keep->IndexOf(name.data()) : std::wstring::npos;
        if (defaultIndex != std::wstring::npos)
            kept[defaultIndex] = true;
        else if (!rules.LeavesAlone(name.data()))
            contents.extras.emplace_back(name.data(), length);
    }
    contents.holdsDefaults = std::find(kept.begin(), kept.end(), false) == kept.end();
    return error == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : error;
}

// Deletes `count` of a list's subkeys with their subtrees, through a handle
// with the rights that takes: no more than the reading counted, so that a
// writer adding subkeys cannot keep the reset going.
LONG DeleteSubkeys(HKEY list, DWORD count)
{
    LONG error = ERROR_SUCCESS;
    UniqueHKey parent = OpenSubkey(list, nullptr, kDeleteSubkeysAccess, &error);
    wchar_t subkey[256]; // the longest key name and its terminator
    for (DWORD deleted = 0; error == ERROR_SUCCESS && deleted < count; ++deleted) {
        DWORD length = static_cast<DWORD>(std::size(subkey));
        error = ::RegEnumKeyExW(parent.get(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_SUCCESS)
            error = ::RegDeleteTreeW(parent.get(), subkey);
    }
    return error == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : error;
}

// Brings a list to hold what the rules say and nothing else: the missing
// defaults are written before anything is deleted, and a pass ends the reset
// only when its reading finds the list so.
LONG Clean(HKEY list, const ListRules& rules)
{
    ListContents contents;
    for (int pass = 0; pass < kCleaningPasses; ++pass) {
        LONG error = rules.keep ? WriteDefaults(list, *rules.keep) : ERROR_SUCCESS;
        if (error == ERROR_SUCCESS)
            error = ReadList(list, rules, contents);
        if (error != ERROR_SUCCESS || contents.Clean())
            return error;
        for (const std::wstring& name : contents.extras) {
            error = ::RegDeleteValueW(list, name.c_str());
            if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND)
                return error;
        }
        if (contents.subkeys != 0 && (error = DeleteSubkeys(list, contents.subkeys)) != ERROR_SUCCESS)
            return error;
    }
    return ERROR_BUSY; // another writer keeps changing the list
}

// No list is deleted: a reader meanwhile never finds a profile without lists,
// and a face that is off before and after the reset is off throughout. A
// policy read while another writer changed it may lack a face it sets or a
// default it names: nothing is changed on such a reading.
LONG ResetLists()
{
    LONG error = ERROR_SUCCESS;
    UniqueHKey general = OpenUserKey(ProfileKeyPaths().general, KEY_SET_VALUE, &error);
    if (!general)
        return error;
    const std::shared_ptr<const PolicySnapshot> policy = CurrentPolicy();
    if (!policy->Consistent())
        return ERROR_BUSY;
    UniqueHKey embedList, tessellateList;
    if ((error = OpenOrCreateList(general.get(), kEmbedListName, embedList)) != ERROR_SUCCESS ||
        (error = OpenOrCreateList(general.get(), kTessellateListName, tessellateList)) != ERROR_SUCCESS)
        return error;
    const DefaultFaces defaults(*policy);
    if ((error = Clean(embedList.get(), ListRules{&defaults, *policy, false})) != ERROR_SUCCESS)
        return error;
    return Clean(tessellateList.get(), ListRules{nullptr, *policy, true});
}

// Made again, after a pause, while another writer keeps it busy.
LONG ResetListsPatiently()
{
    const DWORD start = ::GetTickCount();
    LONG result = ResetLists();
    while (result == ERROR_BUSY && ::GetTickCount() - start < kBusyPatience) {
        ::Sleep(kBusyRetryPause);
        result = ResetLists();
    }
    return result;
}

} // namespace

bool IsColdStart() noexcept
{
    try {
        const KeyPaths& paths = ProfileKeyPaths();
        return !CanOpenForWriting(paths.tessellate) || !CanOpenForWriting(paths.embed);
    } catch (...) {
        return false;
    }
}

LONG SetAllToDefaults() noexcept
{
    LONG result = ERROR_SUCCESS;
    try {
        result = ResetListsPatiently();
    } catch (const std::bad_alloc&) {
        result = ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        result = ERROR_INTERNAL_ERROR;
    }
    // Whatever the reset wrote before it stopped, the next query sees.
    SwitchesWritten();
    return result;
}
