#include "defaults.h"

#include "key_paths.h"
#include "registry_key.h"

#include <cstring>
#include <iterator>
#include <string>
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

// True when the registry takes `name` for one of the defaults' values:
// value names match without regard to case.
bool NamesADefault(const wchar_t* name)
{
    for (const char* const* face = kDefaultEmbedExclusions; **face; ++face) {
        const std::wstring wide(*face, *face + std::strlen(*face)); // the defaults are ASCII
        if (::CompareStringOrdinal(name, -1, wide.c_str(), -1, TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

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
LONG WriteDefaults(HKEY embedList)
{
    const DWORD off = 0;
    for (const char* const* face = kDefaultEmbedExclusions; **face; ++face) {
        DWORD type = REG_NONE, datum = 1, size = sizeof datum;
        const LONG read = ::RegQueryValueExA(embedList, *face, nullptr, &type, reinterpret_cast<BYTE*>(&datum), &size);
        if (read == ERROR_SUCCESS && type == REG_DWORD && size == sizeof datum && datum == 0)
            continue;
        const LONG written =
            ::RegSetValueExA(embedList, *face, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
        if (written != ERROR_SUCCESS)
            return written;
    }
    return ERROR_SUCCESS;
}

// The names of the list's values that are not to stay, and how many subkeys it has.
LONG ReadExtras(HKEY list, bool keepDefaults, std::vector<std::wstring>& extras, DWORD& subkeys)
{
    extras.clear();
    LONG error = ::RegQueryInfoKeyW(list, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr);
    std::vector<wchar_t> name(kLongestValueName + 1);
    for (DWORD index = 0; error == ERROR_SUCCESS; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        error = ::RegEnumValueW(list, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_SUCCESS && !(keepDefaults && NamesADefault(name.data())))
            extras.emplace_back(name.data(), length);
    }
    return error == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : error;
}

// A list's subkeys go with their subtrees, through a handle with the rights
// that takes.
LONG DeleteSubkeys(HKEY list)
{
    LONG error = ERROR_SUCCESS;
    UniqueHKey parent = OpenSubkey(list, nullptr, kDeleteSubkeysAccess, &error);
    wchar_t subkey[256]; // the longest key name and its terminator
    while (error == ERROR_SUCCESS) {
        DWORD length = static_cast<DWORD>(std::size(subkey));
        error = ::RegEnumKeyExW(parent.get(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_SUCCESS)
            error = ::RegDeleteTreeW(parent.get(), subkey);
    }
    return error == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : error;
}

// Deletes the list's values, but for the defaults when `keepDefaults`, and
// its subkeys, until it holds nothing else.
LONG Clean(HKEY list, bool keepDefaults)
{
    std::vector<std::wstring> extras;
    for (int pass = 0; pass < kCleaningPasses; ++pass) {
        DWORD subkeys = 0;
        LONG error = ReadExtras(list, keepDefaults, extras, subkeys);
        if (error != ERROR_SUCCESS || (extras.empty() && subkeys == 0))
            return error;
        for (const std::wstring& name : extras) {
            error = ::RegDeleteValueW(list, name.c_str());
            if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND)
                return error;
        }
        if (subkeys != 0 && (error = DeleteSubkeys(list)) != ERROR_SUCCESS)
            return error;
    }
    return ERROR_BUSY; // another writer keeps adding to the list
}

} // namespace

bool IsColdStart()
{
    const KeyPaths& paths = ProfileKeyPaths();
    return !CanOpenForWriting(paths.tessellate) || !CanOpenForWriting(paths.embed);
}

// No list is deleted: a reader meanwhile never finds a profile without lists,
// and a face that is off before and after the reset is off throughout.
LONG SetAllToDefaults()
{
    LONG error = ERROR_SUCCESS;
    UniqueHKey general = OpenUserKey(ProfileKeyPaths().general, KEY_SET_VALUE, &error);
    if (!general)
        return error;
    UniqueHKey embedList, tessellateList;
    if ((error = OpenOrCreateList(general.get(), kEmbedListName, embedList)) != ERROR_SUCCESS ||
        (error = OpenOrCreateList(general.get(), kTessellateListName, tessellateList)) != ERROR_SUCCESS ||
        (error = WriteDefaults(embedList.get())) != ERROR_SUCCESS ||
        (error = Clean(embedList.get(), true)) != ERROR_SUCCESS)
        return error;
    return Clean(tessellateList.get(), false);
}
