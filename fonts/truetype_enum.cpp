#include "truetype_enum.h"

#include "common/unique_handle.h"
#include "store/switch_store.h"

#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

// The embedding permission that marks a restricted-licence face.
constexpr UINT kRestrictedLicenseEmbedding = 2;

struct EnumerationState {
    explicit EnumerationState(CFontEnumClient& client) : client(client) {}

    CFontEnumClient& client;
    std::vector<std::string> families;
    CSwitchReader switches; // list keys opened once for this discovery
    std::exception_ptr failure;
};

struct FaceMetrics {
    std::string facename;
    UINT fsType; // embedding permission
};

// Reads the face name and embedding permission of the font selected into dc.
// False when the metrics cannot be had or the name does not lie in them.
bool ReadFaceMetrics(HDC dc, FaceMetrics& out)
{
    const UINT size = ::GetOutlineTextMetricsA(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICA))
        return false;
    std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.get());
    if (!::GetOutlineTextMetricsA(dc, size, metrics))
        return false;
    const UINT_PTR nameOffset = reinterpret_cast<UINT_PTR>(metrics->otmpFaceName);
    if (nameOffset >= size)
        return false;
    const char* name = reinterpret_cast<const char*>(buffer.get() + nameOffset);
    const void* end = std::memchr(name, '\0', size - nameOffset);
    if (!end)
        return false;
    out.facename.assign(name, static_cast<const char*>(end));
    out.fsType = static_cast<UINT>(metrics->otmfsType);
    return true;
}

// First level: keeps the name of a TrueType family.
void CollectTrueTypeFamily(const LOGFONTA& family, EnumerationState& state)
{
    state.families.emplace_back(family.lfFaceName);
}

// Second level: realises one variant, reads its outline metrics and enters its
// face name unless the collection holds it already.
void AddTrueTypeFace(const LOGFONTA& variant, EnumerationState& state)
{
    // Field by field (byte fields widened without sign), not CreateFontIndirectA:
    // every font the library makes goes through this one call, which the handle checks count.
    UniqueHFont font(::CreateFontA(variant.lfHeight, variant.lfWidth, variant.lfEscapement, variant.lfOrientation,
                                   variant.lfWeight, variant.lfItalic, variant.lfUnderline, variant.lfStrikeOut,
                                   variant.lfCharSet, variant.lfOutPrecision, variant.lfClipPrecision,
                                   variant.lfQuality, variant.lfPitchAndFamily, variant.lfFaceName));
    if (!font)
        return;
    FaceMetrics face;
    {
        SelectedObject selected(state.client.GetEnumDC(), font.get());
        if (!ReadFaceMetrics(state.client.GetEnumDC(), face))
            return;
    }
    CFontEntryArray& fonts = state.client.GetFonts();
    // A name held byte for byte is held under the locale comparison too; only
    // a new spelling needs that comparison, which costs a sort key.
    if (fonts.FindByFacename(face.facename) || fonts.FindByFacenameLocale(face.facename.c_str()))
        return;
    const int enabled = state.switches.IsEnabledForBoth(face.facename.c_str()) ? 1 : 0;
    const int embeddable = face.fsType != kRestrictedLicenseEmbedding ? 1 : 0;
    fonts.AddEntry(face.facename, embeddable, enabled, face.fsType);
}

// The callback of both levels: hands `Take` the fonts of exactly the TrueType
// type. No exception may unwind through the font service: the first one ends
// the enumeration and waits in the state for the caller.
template <void (*Take)(const LOGFONTA&, EnumerationState&)>
int CALLBACK OnTrueTypeFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    auto& state = *reinterpret_cast<EnumerationState*>(param);
    if (type != TRUETYPE_FONTTYPE)
        return 1;
    try {
        Take(*font, state);
        return 1;
    } catch (...) {
        state.failure = std::current_exception();
        return 0;
    }
}

} // namespace

void EnumerateTrueTypeFaces(CFontEnumClient& client)
{
    UniqueScreenDC screen(::GetDC(nullptr));
    EnumerationState state(client);
    // Lent to the client for the length of the run, and taken from there by
    // the second level: the client sees which context is in use and gets it
    // back with the font it held.
    client.SetEnumDC(screen.get());

    ::EnumFontsA(screen.get(), nullptr, &OnTrueTypeFont<CollectTrueTypeFamily>, reinterpret_cast<LPARAM>(&state));
    for (const std::string& family : state.families) {
        if (state.failure)
            break;
        LOGFONTA request{};
        request.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(request.lfFaceName, family.c_str(), LF_FACESIZE);
        request.lfPitchAndFamily = 0;
        ::EnumFontFamiliesExA(client.GetEnumDC(), &request, &OnTrueTypeFont<AddTrueTypeFace>,
                              reinterpret_cast<LPARAM>(&state), 0);
    }

    client.SetEnumDC(nullptr);
    if (state.failure)
        std::rethrow_exception(state.failure);
}
