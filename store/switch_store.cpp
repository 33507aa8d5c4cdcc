#include "switch_store.h"

#include "key_paths.h"
#include "registry_key.h"

namespace {

const std::string& ListPath(bool tessellation)
{
    return tessellation ? g_tessellateKeyPath : g_embedKeyPath;
}

// A list that could not be opened reads as every switch on. A null name would
// ask for the key's default value, so it is never queried.
bool IsListedIn(HKEY list, const char* face)
{
    return list && face && ::RegQueryValueExA(list, face, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

} // namespace

bool IsEnabledForFacename(const char* face, int tessellation)
{
    if (!face)
        return true;
    UniqueHKey list = OpenUserKey(ListPath((tessellation & 0xFF) != 0), KEY_READ);
    return !IsListedIn(list.get(), face);
}

bool IsEnabledForBoth(const char* face)
{
    return IsEnabledForFacename(face, true) && IsEnabledForFacename(face, false);
}

void SetFaceEnabled(const char* face, int enabled, int tessellation)
{
    if (!face)
        return;
    const std::string& path = ListPath(tessellation != 0);
    if (enabled) {
        UniqueHKey list = OpenUserKey(path, KEY_WRITE);
        if (list)
            ::RegDeleteValueA(list.get(), face);
        return;
    }
    UniqueHKey list = OpenUserKey(path, KEY_SET_VALUE);
    if (!list) {
        UniqueHKey general = OpenUserKey(g_generalKeyPath, KEY_WRITE);
        if (!general)
            return;
        const char* name = tessellation ? kTessellateListName : kEmbedListName;
        list = CreateSubkey(general.get(), name, KEY_SET_VALUE);
        if (!list)
            return;
    }
    const DWORD off = 0;
    ::RegSetValueExA(list.get(), face, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
}

CSwitchReader::CSwitchReader()
    : m_tessellateList(OpenUserKey(g_tessellateKeyPath, KEY_READ)), m_embedList(OpenUserKey(g_embedKeyPath, KEY_READ))
{
}

bool CSwitchReader::IsEnabledForBoth(const char* face) const
{
    return !IsListedIn(m_tessellateList.get(), face) && !IsListedIn(m_embedList.get(), face);
}
