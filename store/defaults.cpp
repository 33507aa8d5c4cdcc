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

// A list key that holds subkeys cannot be deleted on its own; it goes with
// its subtree so that none of its values outlives the reset.
void DeleteList(HKEY general, const char* name)
{
    if (::RegDeleteKeyA(general, name) != ERROR_SUCCESS)
        ::RegDeleteTreeA(general, name);
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
