#include "installed_faces.h"

#include "common/unique_handle.h"

#include <set>
#include <string>

namespace {

struct Search {
    const char* face;
    std::set<std::string> families;
    bool found = false;
};

int CALLBACK CollectFamily(const LOGFONTA* family, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    try {
        if (type == TRUETYPE_FONTTYPE)
            reinterpret_cast<Search*>(param)->families.insert(family->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
}

// The variant's full name is the face name its outline metrics give.
int CALLBACK MatchFace(const LOGFONTA* variant, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    auto& search = *reinterpret_cast<Search*>(param);
    const auto* full = reinterpret_cast<const ENUMLOGFONTEXA*>(variant)->elfFullName;
    if (type == TRUETYPE_FONTTYPE && ::lstrcmpiA(reinterpret_cast<const char*>(full), search.face) == 0)
        search.found = true;
    return search.found ? 0 : 1;
}

} // namespace

bool IsTrueTypeFaceInstalled(const char* face)
{
    UniqueScreenDC screen(::GetDC(nullptr));
    Search search{face, {}};
    ::EnumFontsA(screen.get(), nullptr, &CollectFamily, reinterpret_cast<LPARAM>(&search));
    for (const std::string& family : search.families) {
        LOGFONTA request{};
        request.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynA(request.lfFaceName, family.c_str(), LF_FACESIZE);
        ::EnumFontFamiliesExA(screen.get(), &request, &MatchFace, reinterpret_cast<LPARAM>(&search), 0);
        if (search.found)
            break;
    }
    return search.found;
}
