#include "commit_floor.h"

#include "clock.h"
#include "store/registry_key.h"
#include "tests/support/registry_fixture.h"

double DirectCommitSeconds(const ScopedProfile& profile, const std::vector<FloorFace>& faces)
{
    const DWORD off = 0;
    const double start = SecondsNow();
    const UniqueHKey tessellateList = OpenUserKey(profile.TessellateList(), KEY_SET_VALUE);
    const UniqueHKey embedList = OpenUserKey(profile.EmbedList(), KEY_SET_VALUE);
    for (const FloorFace& face : faces) {
        const HKEY list = face.embeddable ? embedList.get() : tessellateList.get();
        if (!list)
            continue;
        if (face.enabled)
            ::RegDeleteValueA(list, face.name.c_str());
        else
            ::RegSetValueExA(list, face.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
    }
    return SecondsNow() - start;
}
