#include "switch_store.h"

#include "key_paths.h"
#include "registry_key.h"

namespace {

const std::string& ListPath(bool tessellation)
{
    return tessellation ? g_tessellateKeyPath : g_embedKeyPath;
}

// A missing list is created only under an existing General.
UniqueHKey CreateList(bool tessellation)
{
    UniqueHKey general = OpenUserKey(g_generalKeyPath, KEY_WRITE);
    if (!general)
        return UniqueHKey();
    return CreateSubkey(general.get(), tessellation ? kTessellateListName : kEmbedListName, KEY_SET_VALUE);
}

// Switching on removes the face's value (absent is no error); switching off
// writes it as DWORD 0.
void WriteSwitch(HKEY list, const char* face, bool enabled)
{
    if (enabled) {
        ::RegDeleteValueA(list, face);
        return;
    }
    const DWORD off = 0;
    ::RegSetValueExA(list, face, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
}

} // namespace

bool IsEnabledForFacename(const char* face, int tessellation)
{
    if (!face)
        return true;
    UniqueHKey list = OpenUserKey(ListPath((tessellation & 0xFF) != 0), KEY_READ);
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
    UniqueHKey list = OpenUserKey(ListPath(tessellation != 0), enabled ? KEY_WRITE : KEY_SET_VALUE);
    if (!list && !enabled)
        list = CreateList(tessellation != 0);
    if (list)
        WriteSwitch(list.get(), face, enabled != 0);
}

void CSwitchWriter::SetFaceEnabled(const char* face, int enabled, int tessellation)
{
    if (!face)
        return;
    List& list = m_lists[tessellation != 0];
    if (!list.openTried) {
        list.openTried = true;
        list.key = OpenUserKey(ListPath(tessellation != 0), KEY_SET_VALUE);
    }
    if (!list.key && !enabled && !list.createTried) {
        list.createTried = true;
        list.key = CreateList(tessellation != 0);
    }
    if (list.key)
        WriteSwitch(list.key.get(), face, enabled != 0);
}

CSwitchReader::CSwitchReader() : m_tessellateList(g_tessellateKeyPath), m_embedList(g_embedKeyPath) {}

bool CSwitchReader::IsEnabledForBoth(const char* face) const
{
    return !m_tessellateList.Lists(face) && !m_embedList.Lists(face);
}
