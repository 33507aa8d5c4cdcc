#include "switch_store.h"

#include "key_paths.h"
#include "registry_key.h"

namespace {

const std::string& ListPath(bool tessellation)
{
    return tessellation ? g_tessellateKeyPath : g_embedKeyPath;
}

} // namespace

bool IsEnabledForFacename(const char* face, bool tessellation)
{
    if (!face)
        return true;
    UniqueHKey list = OpenUserKey(ListPath(tessellation), KEY_READ);
    return !list || !HasValue(list.get(), face);
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

CSwitchReader::CSwitchReader() : m_tessellateList(g_tessellateKeyPath), m_embedList(g_embedKeyPath) {}

bool CSwitchReader::IsEnabledForBoth(const char* face) const
{
    return !m_tessellateList.Lists(face) && !m_embedList.Lists(face);
}
