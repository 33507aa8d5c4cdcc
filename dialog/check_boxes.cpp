// Check-box handlers: check all, clear all, and carrying one item's change to
// the whole selection. They read each item's state before the list toggles
// the clicked or focused item itself, and never set that item. The list
// refuses every change to a locked face (locked_faces.cpp); the user's click
// on its check box, or Space on it, is told why.
#include "font_select_dialog.h"

#include "check_box_place.h"
#include "control_ids.h"

namespace {

constexpr int kUnchecked = 0; // GetCheck of an unchecked box

} // namespace

// Both act on the faces shown. One message sets every item; the list's
// notifications carry each change to the faces and the count.
void CFontSelectDialog::OnCheckAll()
{
    m_fontList.SetCheckAll(TRUE);
    ShowCount();
}

void CFontSelectDialog::OnClearAll()
{
    m_fontList.SetCheckAll(FALSE);
    ShowCount();
}

// Every check box change of a shown item, whoever makes it, reaches the face
// behind the item; a move of the focus, the preview. A move of the focus
// that the dialog did not make is the user's.
void CFontSelectDialog::OnFontListItemChanged(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNotify);
    *pResult = 0;
    if (m_refilling || !(change->uChanged & LVIF_STATE))
        return;
    const UINT changed = change->uNewState ^ change->uOldState;
    if ((changed & LVIS_FOCUSED) && (change->uNewState & LVIS_FOCUSED)) {
        m_focusFollowsTop = m_focusFollowsTop && m_focusing;
        ShowFocusedFace();
    }
    if (!(changed & LVIS_STATEIMAGEMASK))
        return;
    const int check = CListCtrl::CheckOfState(change->uNewState);
    if (!m_faces.SetShownCheck(change->iItem, check))
        return;
    // The boxes of its case twins follow: they write the same value. Each
    // notifies in turn, which changes nothing more.
    if (check >= 0) {
        for (int twin : m_faces.ShownTwins(change->iItem))
            m_fontList.SetCheck(twin, check);
    }
    ShowCountSoon();
}

void CFontSelectDialog::OnFontListClick(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNotify);
    ApplyCheckClick(activate->ptAction.x, activate->ptAction.y);
    *pResult = 0;
}

void CFontSelectDialog::ApplyCheckClick(int x, int y)
{
    if (!HasFontList())
        return;
    const POINT point{x, y};
    const int hit = m_fontList.HitTest(point);
    if (hit == -1)
        return;
    RECT client{};
    m_fontList.GetClientRect(&client);
    if (!::PtInRect(&client, point))
        return;
    CheckBoxPlace place{};
    if (!FindCheckBoxPlace(m_fontList.m_hWnd, hit, place) || x < place.band.left || x >= place.band.right ||
        y < place.band.top || y > place.band.bottom)
        return;
    if (const CFaceTable::Face* face = m_faces.ShownAt(hit); face && face->locked) {
        RefuseLockedCheck(hit);
        return;
    }
    const int check = m_fontList.GetCheck(hit);
    if (m_fontList.GetSelectedCount() < 2)
        return;
    bool hitSelected = false;
    for (int i = m_fontList.GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_fontList.GetNextItem(i, LVNI_SELECTED))
        hitSelected = hitSelected || i == hit;
    if (!hitSelected)
        return;
    SetSelectionCheck(hit, check == kUnchecked);
}

void CFontSelectDialog::OnFontListKeyDown(NMHDR* pNotify, LRESULT* pResult)
{
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(pNotify);
    *pResult = 0;
    if (!HasFontList() || key->wVKey != VK_SPACE)
        return;
    // The list toggles the focused item, selected or not.
    const int focusedItem = m_fontList.GetNextItem(-1, LVNI_FOCUSED);
    if (const CFaceTable::Face* face = m_faces.ShownAt(focusedItem); face && face->locked) {
        RefuseLockedCheck(focusedItem);
        return;
    }
    const int focused = m_fontList.GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    // With no focused selected item, GetCheck(-1) reads as no box.
    const int check = m_fontList.GetCheck(focused);
    SetSelectionCheck(focused, check == kUnchecked);
}

// The preview shows the face, which takes the focus, and the selection stays.
// An older library, without the sentence, leaves the face's own, which says
// who set it.
void CFontSelectDialog::RefuseLockedCheck(int item)
{
    ::MessageBeep(MB_OK);
    if (m_fontList.GetNextItem(-1, LVNI_FOCUSED) != item)
        m_fontList.SetItemState(item, LVIS_FOCUSED, LVIS_FOCUSED);
    const std::wstring why = m_words.LockedCheckSentence();
    if (const CFaceTable::Face* face = m_faces.ShownAt(item); face && !why.empty())
        m_preview.Show(face, why);
}

void CFontSelectDialog::SetSelectionCheck(int except, BOOL checked)
{
    for (int i = m_fontList.GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_fontList.GetNextItem(i, LVNI_SELECTED)) {
        if (i != except)
            m_fontList.SetCheck(i, checked);
    }
}
