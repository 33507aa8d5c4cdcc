#include "commit_floor.h"

#include "clock.h"
#include "store/registry_key.h"
#include "tests/support/registry_fixture.h"

double DirectCommitSeconds(const ScopedProfile& profile, const std::vector<FloorFace>& faces)
{
    const std::string tessellateList = profile.TessellateList();
    const std::string embedList = profile.EmbedList();
    const DWORD off = 0;
    const double start = SecondsNow();
    for (const FloorFace& face : faces) {
        const std::string& path = face.embeddable ? embedList : tessellateList;
        UniqueHKey list = OpenUserKey(path, face.enabled ? KEY_WRITE : KEY_SET_VALUE);
        if (!list)
            continue;
        if (face.enabled)
            ::RegDeleteValueA(list.get(), face.name.c_str());
        else
            ::RegSetValueExA(list.get(), face.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off),
                             sizeof off);
    }
    return SecondsNow() - start;
}
