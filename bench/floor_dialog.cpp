#include "floor_dialog.h"

#include "clock.h"
#include "floor_preview.h"
#include "common/unique_handle.h"
#include "dialog/control_ids.h"
#include "list_view.h"
#include "module/activation_context.h"
#include "store/registry_key.h"
#include "tests/support/registry_fixture.h"
#include "tests/support/resource_text.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_set>

namespace {

constexpr UINT kRestrictedLicenseEmbedding = 2;
// Room for the sort key of any face name the font service reports.
constexpr int kSortKeyBytes = 1024;

struct FloorRun {
    std::string tessellateListPath;
    std::string embedListPath;
    HINSTANCE resources;
    FloorOpening opening;
    std::unique_ptr<FloorPreview> preview;
    bool failed = false;
};

// The band shows the generated faces, every one installable.
std::unique_ptr<FloorPreview> MakePreview(HWND band, HINSTANCE resources)
{
    return std::make_unique<FloorPreview>(band, ResourceString(resources, IDS_PREVIEW_SAMPLE),
                                          ResourceString(resources, IDS_SENTENCE_INSTALLABLE));
}

struct KeyedFace {
    std::string sortKey;
    FloorFace face;
};

// The value names of the embedding list and of the tessellation list.
using SwitchedOff = std::array<std::unordered_set<std::string>, 2>;

struct Discovery {
    HDC dc = nullptr;
    const SwitchedOff& switchedOff;
    std::vector<std::string> families;
    std::unordered_set<std::string> familiesMet;
    std::vector<ENUMLOGFONTEXA> variants;     // the TrueType reports of the family asked
    std::unordered_set<std::string> names;    // every face name met
    std::unordered_set<std::string> sortKeys; // of the faces kept
    std::vector<BYTE> metrics;                // one buffer for every variant
    std::vector<KeyedFace> faces;
};

std::string Capitals(std::string name)
{
    ::CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

// The value names of both lists, each list enumerated once, in capitals:
// the registry matches value names without regard to case.
SwitchedOff SwitchedOffNames(const FloorRun& run)
{
    SwitchedOff lists;
    for (const std::string* path : {&run.embedListPath, &run.tessellateListPath}) {
        std::unordered_set<std::string>& names = lists[path == &run.tessellateListPath];
        UniqueHKey list = OpenUserKey(*path, KEY_QUERY_VALUE);
        char name[256];
        for (DWORD i = 0; list; ++i) {
            DWORD length = sizeof name;
            const LONG result = ::RegEnumValueA(list.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA)
                continue; // longer than any face name
            if (result != ERROR_SUCCESS)
                break;
            names.insert(Capitals(std::string(name, length)));
        }
    }
    return lists;
}

int CALLBACK CollectFamily(const LOGFONTA* family, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    try {
        auto& discovery = *reinterpret_cast<Discovery*>(param);
        // A family of vertical forms ("@" and a name) is its faces again.
        if (type == TRUETYPE_FONTTYPE && family->lfFaceName[0] != '@' &&
            discovery.familiesMet.insert(family->lfFaceName).second)
            discovery.families.emplace_back(family->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
}

// Realises a report and keeps its face if new. False when it realised
// another face than the report names.
bool MeasureVariant(const ENUMLOGFONTEXA& report, Discovery& discovery)
{
    const LOGFONTA& v = report.elfLogFont;
    UniqueHFont font(::CreateFontA(v.lfHeight, v.lfWidth, v.lfEscapement, v.lfOrientation, v.lfWeight, v.lfItalic,
                                   v.lfUnderline, v.lfStrikeOut, v.lfCharSet, v.lfOutPrecision, v.lfClipPrecision,
                                   v.lfQuality, v.lfPitchAndFamily, v.lfFaceName));
    if (!font)
        return true;
    SelectedObject selected(discovery.dc, font.get());
    const UINT size = ::GetOutlineTextMetricsA(discovery.dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICA))
        return true;
    discovery.metrics.resize(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(discovery.metrics.data());
    if (!::GetOutlineTextMetricsA(discovery.dc, size, metrics))
        return true;
    const char* name =
        reinterpret_cast<const char*>(discovery.metrics.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFaceName));
    const bool asReported = std::strcmp(name, reinterpret_cast<const char*>(report.elfFullName)) == 0;
    // A name met before needs no sort key; a new one is kept unless the
    // locale comparison calls it equal to a face kept already.
    if (!discovery.names.insert(name).second)
        return asReported;
    char sortKey[kSortKeyBytes];
    const int keyLength = ::LCMapStringA(::GetThreadLocale(), LCMAP_SORTKEY | LOCALE_USE_CP_ACP, name, -1, sortKey,
                                         kSortKeyBytes);
    std::string key(sortKey, static_cast<size_t>(std::max(keyLength, 0)));
    if (!discovery.sortKeys.insert(key).second)
        return asReported;
    const bool embeddable = static_cast<UINT>(metrics->otmfsType) != kRestrictedLicenseEmbedding;
    // The switch the face's check controls: tessellation where embedding is restricted.
    const bool enabled = discovery.switchedOff[!embeddable].count(Capitals(name)) == 0;
    discovery.faces.push_back({std::move(key), {name, embeddable, enabled, v}});
    return asReported;
}

int CALLBACK CollectVariant(const LOGFONTA* variant, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    try {
        if (type == TRUETYPE_FONTTYPE)
            reinterpret_cast<Discovery*>(param)->variants.push_back(*reinterpret_cast<const ENUMLOGFONTEXA*>(variant));
        return 1;
    } catch (...) {
        return 0;
    }
}

bool SameStyle(const ENUMLOGFONTEXA& a, const ENUMLOGFONTEXA& b)
{
    return a.elfLogFont.lfWeight == b.elfLogFont.lfWeight && a.elfLogFont.lfItalic == b.elfLogFont.lfItalic;
}

bool SameFace(const ENUMLOGFONTEXA& a, const ENUMLOGFONTEXA& b)
{
    return std::strcmp(reinterpret_cast<const char*>(a.elfFullName), reinterpret_cast<const char*>(b.elfFullName)) == 0;
}

// Each face's first report, or every report when two faces share a style or
// a first report realises another face.
void MeasureFamily(Discovery& discovery)
{
    const auto& variants = discovery.variants;
    std::vector<bool> firstOfStyle(variants.size());
    bool shared = false;
    for (size_t i = 0; i < variants.size(); ++i) {
        const auto end = variants.begin() + static_cast<std::ptrdiff_t>(i);
        const auto first = std::find_if(variants.begin(), end, [&](const auto& v) { return SameStyle(v, variants[i]); });
        firstOfStyle[i] = first == end;
        shared = shared || (first != end && !SameFace(*first, variants[i]));
    }
    bool asReported = true;
    for (size_t i = 0; i < variants.size(); ++i) {
        if (shared || firstOfStyle[i])
            asReported = MeasureVariant(variants[i], discovery) && asReported;
    }
    if (!asReported && !shared) {
        for (const ENUMLOGFONTEXA& variant : variants)
            MeasureVariant(variant, discovery);
    }
}

// The faces in ascending order of their sort keys. The keys are unique, so
// the order is the same whatever the sort's stability.
void Discover(FloorRun& run)
{
    const SwitchedOff switchedOff = SwitchedOffNames(run);
    UniqueScreenDC screen(::GetDC(nullptr));
    Discovery discovery{screen.get(), switchedOff, {}, {}, {}, {}, {}, {}, {}};
    double start = SecondsNow();
    ::EnumFontsA(screen.get(), nullptr, &CollectFamily, reinterpret_cast<LPARAM>(&discovery));
    run.opening.firstLevelSeconds = SecondsNow() - start;
    for (const std::string& family : discovery.families) {
        LOGFONTA request{};
        request.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(request.lfFaceName, family.c_str(), LF_FACESIZE);
        discovery.variants.clear();
        start = SecondsNow();
        ::EnumFontFamiliesExA(screen.get(), &request, &CollectVariant, reinterpret_cast<LPARAM>(&discovery), 0);
        const double reported = SecondsNow();
        MeasureFamily(discovery);
        run.opening.secondLevelSeconds += reported - start;
        run.opening.realiseSeconds += SecondsNow() - reported;
    }
    std::sort(discovery.faces.begin(), discovery.faces.end(),
              [](const KeyedFace& a, const KeyedFace& b) { return a.sortKey < b.sortKey; });
    run.opening.faces.reserve(discovery.faces.size());
    for (KeyedFace& keyed : discovery.faces)
        run.opening.faces.push_back(std::move(keyed.face));
}

void FillList(HWND list, const std::vector<FloorFace>& faces)
{
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
    RECT client{};
    ::GetClientRect(list, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    ListRedrawSuspended quiet(list);
    for (size_t i = 0; i < faces.size(); ++i)
        InsertItem(list, static_cast<int>(i), faces[i].name.c_str(), faces[i].enabled);
}

// The focused face, once the list says its focus moved.
void ShowFocusedFace(const FloorRun& run, const NMHDR& notification)
{
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(notification);
    if (run.preview && notification.code == LVN_ITEMCHANGED && (change.uChanged & LVIF_STATE) &&
        (change.uNewState & ~change.uOldState & LVIS_FOCUSED) && change.iItem >= 0 &&
        static_cast<size_t>(change.iItem) < run.opening.faces.size())
        run.preview->Show(run.opening.faces[static_cast<size_t>(change.iItem)]);
}

INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto& run = *reinterpret_cast<FloorRun*>(lParam);
        try {
            const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
            Discover(run);
            const double start = SecondsNow();
            FillList(list, run.opening.faces);
            run.opening.fillSeconds = SecondsNow() - start;
            if (const HWND band = ::GetDlgItem(dialog, IDC_FONT_PREVIEW))
                run.preview = MakePreview(band, run.resources);
        } catch (...) {
            run.failed = true;
            ::EndDialog(dialog, -1);
        }
        return TRUE;
    }
    const auto* run = reinterpret_cast<const FloorRun*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    if (run && message == WM_NOTIFY && wParam == IDC_FONT_LIST) {
        ShowFocusedFace(*run, *reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    }
    if (run && run->preview && message == WM_DRAWITEM && wParam == IDC_FONT_PREVIEW) {
        run->preview->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

FloorOpening RunFloorDialog(HINSTANCE resources, HMODULE library, const ScopedProfile& profile)
{
    const UniqueActCtx context = ModuleManifestContext(library);
    const ActivatedContext versionSix(context.get());
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    FloorRun run{profile.TessellateList(), profile.EmbedList(), resources, {}, nullptr, false};
    const INT_PTR result = ::DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_FONT_SELECT), nullptr, &FloorDialogProc,
                                             reinterpret_cast<LPARAM>(&run));
    if (result == -1 || run.failed)
        throw std::runtime_error("the floor dialog could not be shown");
    return std::move(run.opening);
}
