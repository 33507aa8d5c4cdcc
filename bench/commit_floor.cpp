#include "commit_floor.h"

#include "clock.h"
#include "store/registry_key.h"
#include "tests/support/registry_fixture.h"

double DirectCommitSeconds(const ScopedProfile& profile, const std::vector<FloorFace>& faces)
{
    const DWORD off = 0;
    const double start = SecondsNow();
    UniqueHKey lists[2]; // embedding, tessellation
    for (const FloorFace& face : faces) {
        UniqueHKey& list = lists[!face.embeddable];
        if (!list)
            list = OpenUserKey(face.embeddable ? profile.EmbedList() : profile.TessellateList(), KEY_SET_VALUE);
        if (!list)
            continue;
        if (face.enabled)
            ::RegDeleteValueA(list.get(), face.name.c_str());
        else
            ::RegSetValueExA(list.get(), face.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
    }
    return SecondsNow() - start;
}
