#include "defaults.h"

#include "key_paths.h"
#include "registry_key.h"
#include "switch_store.h"

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

// The rights that deleting a key's subkeys through its handle takes.
constexpr REGSAM kDeleteSubkeysAccess = DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE;

// A list key that holds subkeys cannot be deleted on its own; it goes with
// its subtree so that none of its values outlives the reset. The subkeys are
// deleted through a handle with the rights that takes (General is held only
// for setting values), then the list key itself.
void DeleteList(HKEY general, const char* name)
{
    if (::RegDeleteKeyA(general, name) == ERROR_SUCCESS)
        return;
    {
        UniqueHKey list = OpenSubkey(general, name, kDeleteSubkeysAccess);
        if (!list)
            return;
        char subkey[512]; // a key name of 255 characters, in double-byte code pages too
        DWORD length = sizeof subkey;
        while (::RegEnumKeyExA(list.get(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               ::RegDeleteTreeA(list.get(), subkey) == ERROR_SUCCESS)
            length = sizeof subkey;
    }
    ::RegDeleteKeyA(general, name);
}

} // namespace

bool IsColdStart()
{
    return !CanOpenForWriting(g_tessellateKeyPath) || !CanOpenForWriting(g_embedKeyPath);
}

LONG SetAllToDefaults()
{
    {
        LONG error = ERROR_SUCCESS;
        UniqueHKey general = OpenUserKey(g_generalKeyPath, KEY_SET_VALUE, &error);
        if (!general)
            return error;
        DeleteList(general.get(), kTessellateListName);
        DeleteList(general.get(), kEmbedListName);
        CreateSubkey(general.get(), kTessellateListName, KEY_SET_VALUE);
    }
    for (const char* const* name = kDefaultEmbedExclusions; **name; ++name)
        SetFaceEnabled(*name, 0, 0);
    return ERROR_SUCCESS;
}
