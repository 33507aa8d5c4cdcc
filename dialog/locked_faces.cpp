// Faces the administrator's policy locks: their check boxes refuse every
// change but the dialog's own as it lists them, and are drawn greyed over
// the list's own state images, which stay the unchecked and checked ones so
// that a screen reader still reads the check.
#include "font_select_dialog.h"

#include "check_box_place.h"
#include "control_ids.h"
#include "common/unique_handle.h"

#include <commctrl.h>

namespace {

// How much of the dialog's face colour is laid over a locked box.
constexpr BYTE kGreyingAlpha = 128;

} // namespace

void CFontSelectDialog::OnFontListItemChanging(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNotify);
    const CFaceTable::Face* face = m_faces.ShownAt(change->iItem);
    // TRUE refuses the change.
    *pResult = !m_refilling && face && face->locked && (change->uChanged & LVIF_STATE) &&
               ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK);
}

// Without a locked face the list draws alone, as without policy.
void CFontSelectDialog::OnFontListCustomDraw(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* draw = reinterpret_cast<const NMLVCUSTOMDRAW*>(pNotify);
    *pResult = CDRF_DODEFAULT;
    const int item = static_cast<int>(draw->nmcd.dwItemSpec);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (m_faces.LockedCount() > 0)
            *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        if (const CFaceTable::Face* face = m_faces.ShownAt(item); face && face->locked)
            *pResult = CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_ITEMPOSTPAINT:
        GreyCheckBox(draw->nmcd.hdc, item);
        break;
    default:
        break;
    }
}

// The box keeps its check, dimmed by half the dialog's face colour, as a
// disabled check box looks, whatever style the list draws its boxes in.
void CFontSelectDialog::GreyCheckBox(HDC dc, int item) const
{
    CheckBoxPlace place{};
    if (!FindCheckBoxPlace(m_fontList.m_hWnd, item, place))
        return;
    const RECT& box = place.box;
    const UniqueMemoryDC face(::CreateCompatibleDC(dc));
    const UniqueHBitmap pixel(::CreateCompatibleBitmap(dc, 1, 1));
    if (!face || !pixel)
        return;
    SelectedObject selected(face.get(), pixel.get());
    ::SetPixel(face.get(), 0, 0, ::GetSysColor(COLOR_BTNFACE));
    ::GdiAlphaBlend(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, face.get(), 0, 0, 1, 1,
                    {AC_SRC_OVER, 0, kGreyingAlpha, 0});
}

void CFontSelectDialog::DisableChangesUnderLockAll() const
{
    if (!m_faces.Policy().LockAll())
        return;
    for (int button : {IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN, IDC_CLEAR_ALL_BTN})
        ::EnableWindow(::GetDlgItem(m_hWnd, button), FALSE);
}
