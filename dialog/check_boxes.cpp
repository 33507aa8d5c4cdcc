// Check-box handlers: check all, clear all, and carrying one item's change to
// the whole selection. They read each item's state before the list toggles
// the clicked or focused item itself, and never set that item.
#include "font_select_dialog.h"

#include "control_ids.h"

namespace {

constexpr UINT kUnchecked = 1;        // state-image index of an unchecked box
constexpr LONG kCheckBoxWidth = 16;   // the box ends at the icon area's right edge

UINT StateImage(const CListCtrl& list, int item)
{
    return list.GetItemState(item, LVIS_STATEIMAGEMASK) >> 12;
}

} // namespace

void CFontSelectDialog::OnCheckAll()
{
    const int count = m_pFontList ? m_pFontList->GetItemCount() : 0;
    for (int i = 0; i < count; ++i)
        m_pFontList->SetCheck(i, TRUE);
}

void CFontSelectDialog::OnClearAll()
{
    const int count = m_pFontList ? m_pFontList->GetItemCount() : 0;
    for (int i = 0; i < count; ++i)
        m_pFontList->SetCheck(i, FALSE);
}

void CFontSelectDialog::OnFontListClick(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNotify);
    ApplyCheckClick(activate->ptAction.x, activate->ptAction.y);
    *pResult = 0;
}

void CFontSelectDialog::ApplyCheckClick(int x, int y)
{
    if (!m_pFontList)
        return;
    const POINT point{x, y};
    const int hit = m_pFontList->HitTest(point);
    if (hit == -1)
        return;
    RECT client{};
    m_pFontList->GetClientRect(&client);
    if (!::PtInRect(&client, point))
        return;
    RECT icon{};
    m_pFontList->GetItemRect(hit, &icon, LVIR_ICON);
    if (x < icon.right - kCheckBoxWidth || x > icon.right || y < icon.top || y > icon.bottom)
        return;
    const UINT state = StateImage(*m_pFontList, hit);
    if (m_pFontList->GetSelectedCount() < 2)
        return;
    bool hitSelected = false;
    for (int i = m_pFontList->GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_pFontList->GetNextItem(i, LVNI_SELECTED))
        hitSelected = hitSelected || i == hit;
    if (!hitSelected)
        return;
    SetSelectionCheck(hit, state == kUnchecked);
}

void CFontSelectDialog::OnFontListKeyDown(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(pNotify);
    *pResult = 0;
    if (!m_pFontList)
        return;
    const int focused = m_pFontList->GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    const UINT state = focused == -1 ? 0 : StateImage(*m_pFontList, focused);
    if (key->wVKey == VK_SPACE)
        SetSelectionCheck(focused, state == kUnchecked);
}

void CFontSelectDialog::SetSelectionCheck(int except, BOOL checked)
{
    for (int i = m_pFontList->GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_pFontList->GetNextItem(i, LVNI_SELECTED)) {
        if (i != except)
            m_pFontList->SetCheck(i, checked);
    }
}
