#include "face_query.h"

#include "face_switch.h"
#include "value_names.h"
#include "names/resolved_names.h"

namespace {

// The name asked for first, as it is listed or set; then, where that
// settles nothing, the names of the face it is, which asking for a vertical
// form is too.
bool IsEnabled(const std::wstring& face, int tessellation)
{
    const bool tessellationList = (tessellation & 0xFF) != 0;
    const std::shared_ptr<const PolicySnapshot> policy = CurrentPolicy();
    const std::shared_ptr<const CSwitchReader> switches = CurrentSwitches();
    std::shared_ptr<const FaceNames> names;
    const auto namesOf = [&face, &names]() -> const FaceNames* {
        names = ResolvedFaceNames(HorizontalForm(face));
        return names.get();
    };
    return SwitchOf(*policy, *switches, face, namesOf, tessellationList).on;
}

} // namespace

bool IsEnabledForFacenameW(const wchar_t* face, int tessellation) noexcept
{
    try {
        return !face || IsEnabled(face, tessellation);
    } catch (...) {
        return true;
    }
}

bool IsEnabledForFacename(const char* face, int tessellation) noexcept
{
    try {
        return !face || IsEnabled(WideFaceName(face), tessellation);
    } catch (...) {
        return true;
    }
}
