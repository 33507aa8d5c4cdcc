#include "floor_dialog.h"

#include "common/unique_handle.h"
#include "dialog/control_ids.h"
#include "store/registry_key.h"
#include "tests/support/registry_fixture.h"

#include <commctrl.h>

#include <stdexcept>
#include <unordered_set>

namespace {

constexpr UINT kRestrictedLicenseEmbedding = 2;

struct FloorRun {
    std::string tessellateListPath;
    std::string embedListPath;
    std::vector<FloorFace> faces;
    bool failed = false;
};

struct Discovery {
    HDC dc = nullptr;
    HKEY tessellateList = nullptr;
    HKEY embedList = nullptr;
    std::vector<std::string> families;
    std::unordered_set<std::string> seen;
    std::vector<BYTE> metrics; // one buffer for every variant
    std::vector<FloorFace>& faces;
};

bool Listed(HKEY list, const char* face)
{
    return list && ::RegQueryValueExA(list, face, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int CALLBACK CollectFamily(const LOGFONTA* family, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    try {
        if (type == TRUETYPE_FONTTYPE)
            reinterpret_cast<Discovery*>(param)->families.emplace_back(family->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
}

void MeasureVariant(const LOGFONTA& v, Discovery& discovery)
{
    UniqueHFont font(::CreateFontA(v.lfHeight, v.lfWidth, v.lfEscapement, v.lfOrientation, v.lfWeight, v.lfItalic,
                                   v.lfUnderline, v.lfStrikeOut, v.lfCharSet, v.lfOutPrecision, v.lfClipPrecision,
                                   v.lfQuality, v.lfPitchAndFamily, v.lfFaceName));
    if (!font)
        return;
    SelectedObject selected(discovery.dc, font.get());
    const UINT size = ::GetOutlineTextMetricsA(discovery.dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICA))
        return;
    discovery.metrics.resize(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(discovery.metrics.data());
    if (!::GetOutlineTextMetricsA(discovery.dc, size, metrics))
        return;
    const char* name =
        reinterpret_cast<const char*>(discovery.metrics.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFaceName));
    if (!discovery.seen.insert(name).second)
        return;
    const bool enabled = !Listed(discovery.tessellateList, name) && !Listed(discovery.embedList, name);
    discovery.faces.push_back({name, static_cast<UINT>(metrics->otmfsType) != kRestrictedLicenseEmbedding, enabled});
}

int CALLBACK AddVariant(const LOGFONTA* variant, const TEXTMETRICA*, DWORD type, LPARAM param)
{
    try {
        if (type == TRUETYPE_FONTTYPE)
            MeasureVariant(*variant, *reinterpret_cast<Discovery*>(param));
        return 1;
    } catch (...) {
        return 0;
    }
}

void Discover(FloorRun& run)
{
    UniqueScreenDC screen(::GetDC(nullptr));
    UniqueHKey tessellateList = OpenUserKey(run.tessellateListPath, KEY_READ);
    UniqueHKey embedList = OpenUserKey(run.embedListPath, KEY_READ);
    Discovery discovery{screen.get(), tessellateList.get(), embedList.get(), {}, {}, {}, run.faces};
    ::EnumFontsA(screen.get(), nullptr, &CollectFamily, reinterpret_cast<LPARAM>(&discovery));
    for (const std::string& family : discovery.families) {
        LOGFONTA request{};
        request.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(request.lfFaceName, family.c_str(), LF_FACESIZE);
        ::EnumFontFamiliesExA(screen.get(), &request, &AddVariant, reinterpret_cast<LPARAM>(&discovery), 0);
    }
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
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    // The control enters every new item unchecked, whatever state it is
    // given; only the checked ones need a second message.
    LVITEMA checked{};
    checked.state = INDEXTOSTATEIMAGEMASK(2);
    checked.stateMask = LVIS_STATEIMAGEMASK;
    for (size_t i = 0; i < faces.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(faces[i].name.c_str());
        const LRESULT index = ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        if (faces[i].enabled)
            ::SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&checked));
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto& run = *reinterpret_cast<FloorRun*>(lParam);
        try {
            Discover(run);
            FillList(::GetDlgItem(dialog, IDC_FONT_LIST), run.faces);
        } catch (...) {
            run.failed = true;
            ::EndDialog(dialog, -1);
        }
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

std::vector<FloorFace> RunFloorDialog(HINSTANCE resources, const ScopedProfile& profile)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    FloorRun run{profile.TessellateList(), profile.EmbedList(), {}, false};
    const INT_PTR result = ::DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_FONT_SELECT), nullptr, &FloorDialogProc,
                                             reinterpret_cast<LPARAM>(&run));
    if (result == -1 || run.failed)
        throw std::runtime_error("the floor dialog could not be shown");
    return run.faces;
}
