#include "truetype_enum.h"

#include "family_variants.h"
#include "common/make_font.h"
#include "common/unique_handle.h"
#include "names/face_metrics.h"
#include "names/face_names.h"
#include "store/switch_store.h"

#include <cstring>
#include <exception>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// The embedding permission that marks a restricted-licence face.
constexpr UINT kRestrictedLicenseEmbedding = 2;

struct EnumerationState {
    EnumerationState(CFontEnumClient& client, const KeyPaths& paths) : client(client), switches(paths) {}

    CFontEnumClient& client;
    // The first level reports a family once per character set; the second
    // level reports all of a family at once, so each is asked once.
    std::vector<std::wstring> families;
    std::set<std::wstring, std::less<>> familiesHeld; // found by a report's name without copying it
    CFamilyVariants variants; // of the family being asked
    CSwitchReader switches; // list keys opened once for this discovery
    std::exception_ptr failure;
};

// A face found by realising a report, with the report, and its names when
// the collection did not hold it yet.
struct RealisedFace {
    FaceMetrics metrics;
    FaceNames names;
    LOGFONTW realisedFrom;
};

// A name held unit for unit is held under the locale comparison too; only a
// new spelling needs that comparison, which costs a sort key.
bool Holds(const CFontEntryArray& fonts, const std::wstring& face)
{
    return fonts.FindByFacename(face) || fonts.FindByFacenameLocale(face.c_str());
}

// First level: keeps the name of a TrueType family at its first report. A
// family of vertical forms is that of its faces again.
void CollectTrueTypeFamily(const LOGFONTW* family, DWORD type, EnumerationState& state)
{
    if (type != TRUETYPE_FONTTYPE || IsVerticalForm(family->lfFaceName) || state.familiesHeld.count(family->lfFaceName))
        return;
    state.families.emplace_back(family->lfFaceName);
    state.familiesHeld.emplace(family->lfFaceName);
}

// Second level: keeps every report of the family, to be realised once all
// are known.
void CollectVariant(const LOGFONTW* variant, DWORD type, EnumerationState& state)
{
    state.variants.Add(*reinterpret_cast<const ENUMLOGFONTEXW*>(variant), type);
}

// Realises one variant and reads its face's name and embedding permission,
// and the names it goes by when it is new. False when the font cannot be
// made or measured.
bool RealiseFace(const LOGFONTW& variant, HDC dc, const CFontEntryArray& fonts, RealisedFace& face)
{
    const UniqueHFont font = MakeFont(variant);
    if (!font)
        return false;
    SelectedObject selected(dc, font.get());
    face.realisedFrom = variant;
    if (!ReadFaceMetrics(dc, face.metrics))
        return false;
    face.names = FaceNames(face.metrics.facename);
    if (!Holds(fonts, face.metrics.facename))
        ReadOwnNames(dc, face.names);
    return true;
}

// Enters a realised face, with every name it goes by, unless the collection
// holds its name already.
void AddFace(RealisedFace& realised, EnumerationState& state)
{
    const FaceMetrics& face = realised.metrics;
    CFontEntryArray& fonts = state.client.GetFonts();
    if (Holds(fonts, face.facename))
        return;
    const int embeddable = face.fsType != kRestrictedLicenseEmbedding ? 1 : 0;
    // The switch the face's check box controls, by any of the face's names:
    // embedding where the licence allows it, tessellation where it does not.
    const int enabled = state.switches.IsEnabled(realised.names, !embeddable) ? 1 : 0;
    fonts.AddEntry(std::move(realised.names), embeddable, enabled, face.fsType, realised.realisedFrom);
}

// Realises the family's variants that can give a face, and enters the faces
// in the order realised. When a face's first report realises another face
// than it names, every report of the family is realised instead.
void AddFamilyFaces(EnumerationState& state)
{
    const HDC dc = state.client.GetEnumDC();
    const CFontEntryArray& fonts = state.client.GetFonts();
    std::vector<RealisedFace> faces;
    bool asReported = true;
    for (const CFamilyVariants::Variant& variant : state.variants.ToRealise()) {
        RealisedFace face;
        if (!RealiseFace(variant.font, dc, fonts, face))
            continue;
        asReported = asReported && face.metrics.facename == variant.face;
        faces.push_back(std::move(face));
    }
    if (!asReported && !state.variants.RealisesEveryReport()) {
        faces.clear();
        for (const CFamilyVariants::Variant& variant : state.variants.EveryReport()) {
            RealisedFace face;
            if (RealiseFace(variant.font, dc, fonts, face))
                faces.push_back(std::move(face));
        }
    }
    for (RealisedFace& face : faces)
        AddFace(face, state);
}

// The callback of both levels. No exception may unwind through the font
// service: the first one ends the enumeration and waits in the state for the
// caller.
template <void (*Take)(const LOGFONTW*, DWORD, EnumerationState&)>
int CALLBACK OnFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM param)
{
    auto& state = *reinterpret_cast<EnumerationState*>(param);
    try {
        Take(font, type, state);
        return 1;
    } catch (...) {
        state.failure = std::current_exception();
        return 0;
    }
}

// Asks each family for its variants, then realises those that can give a
// face not yet realised.
void WalkFamilies(EnumerationState& state)
{
    const HDC dc = state.client.GetEnumDC();
    ::EnumFontsW(dc, nullptr, &OnFont<CollectTrueTypeFamily>, reinterpret_cast<LPARAM>(&state));
    if (state.failure || !state.client.KeepWalking())
        return;
    for (const std::wstring& family : state.families) {
        LOGFONTW request{};
        request.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(request.lfFaceName, family.c_str(), LF_FACESIZE);
        request.lfPitchAndFamily = 0;
        state.variants.Clear();
        ::EnumFontFamiliesExW(dc, &request, &OnFont<CollectVariant>, reinterpret_cast<LPARAM>(&state), 0);
        if (state.failure)
            return;
        AddFamilyFaces(state);
        if (!state.client.KeepWalking())
            return;
    }
}

} // namespace

void EnumerateTrueTypeFaces(CFontEnumClient& client, const KeyPaths& paths)
{
    UniqueScreenDC screen(::GetDC(nullptr));
    EnumerationState state(client, paths);
    // Lent to the client for the length of the run, and taken from there by
    // the second level: the client sees which context is in use and gets it
    // back with the font it held.
    client.SetEnumDC(screen.get());
    try {
        WalkFamilies(state);
    } catch (...) {
        state.failure = std::current_exception();
    }
    client.SetEnumDC(nullptr);
    if (state.failure)
        std::rethrow_exception(state.failure);
}
