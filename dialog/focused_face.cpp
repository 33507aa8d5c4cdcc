// The preview band: it shows the list's focused face, with the sample the
// user types, and says when the administrator's policy sets its check.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "common/window_text.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

void CFontSelectDialog::ShowFocusedFace()
{
    if (!m_preview.Attached() || !HasFontList())
        return;
    const CFaceTable::Face* face = m_faces.ShownAt(m_fontList.GetNextItem(-1, LVNI_FOCUSED));
    m_preview.Show(face, face ? SentenceOf(*face) : std::wstring());
}

std::wstring CFontSelectDialog::SentenceOf(const CFaceTable::Face& face) const
{
    const std::wstring sentence = m_words.Sentence(face.fsType, face.embeddable);
    if (!face.locked)
        return sentence;
    const bool tessellation = face.switchList != 0;
    return m_words.SetByAdministrator(sentence, tessellation,
                                      m_faces.Policy().Setting(face.names, tessellation).state);
}

// A child of the list is an item, counted from 1. Its states are those the
// system gives a list item, which the list's standard object may not know.
CAccessibleWindow::Texts CFontSelectDialog::ListItemTexts(LONG child) const
{
    const int item = child - 1;
    const CFaceTable::Face* face = child > 0 ? m_faces.ShownAt(item) : nullptr;
    if (!face)
        return {};
    const UINT listed = m_fontList.GetItemState(item, LVIS_SELECTED | LVIS_FOCUSED);
    const LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                       ((listed & LVIS_SELECTED) ? STATE_SYSTEM_SELECTED : 0) |
                       ((listed & LVIS_FOCUSED) ? STATE_SYSTEM_FOCUSED : 0) |
                       (face->check == 1 ? STATE_SYSTEM_CHECKED : 0) | (face->locked ? STATE_SYSTEM_READONLY : 0);
    return {{}, {}, SentenceOf(*face), state};
}

int CFontSelectDialog::FocusedFace() const
{
    const int item = m_fontList.GetNextItem(-1, LVNI_FOCUSED);
    const std::vector<int>& shown = m_faces.Shown();
    return item >= 0 && item < static_cast<int>(shown.size()) ? shown[item] : -1;
}

void CFontSelectDialog::FocusItem(int item)
{
    GiveFocus(item);
    ::SendMessageW(m_fontList.m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

void CFontSelectDialog::GiveFocus(int item)
{
    m_focusing = true;
    m_fontList.SetItemState(-1, 0, LVIS_SELECTED);
    m_fontList.SetItemState(item, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    m_focusing = false;
}

void CFontSelectDialog::KeepFocusOn(int face)
{
    const std::vector<int>& shown = m_faces.Shown();
    if (shown.empty())
        return;
    const auto listed = m_focusFollowsTop ? shown.end() : std::find(shown.begin(), shown.end(), face);
    FocusItem(listed == shown.end() ? 0 : static_cast<int>(listed - shown.begin()));
}

// Faces found meanwhile take their places in the sort: one that comes
// before the focused face takes the focus while it follows the top, without
// scrolling the list away from where the user looks. The list always has a
// focused face.
void CFontSelectDialog::FollowTop()
{
    const int focused = m_fontList.GetNextItem(-1, LVNI_FOCUSED);
    if (!m_faces.Shown().empty() && (m_focusFollowsTop ? focused != 0 : focused == -1))
        GiveFocus(0);
}

// Enter in the find box takes the user to the first face it leaves listed.
LRESULT CFontSelectDialog::OnFindEnter(WPARAM, LPARAM)
{
    if (!HasFontList())
        return 0;
    if (!m_faces.Shown().empty())
        FocusItem(0);
    // The user's choice: the face keeps the focus as others come before it.
    m_focusFollowsTop = false;
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_fontList.m_hWnd), TRUE);
    return 0;
}

void CFontSelectDialog::OnSampleChange()
{
    m_preview.SetSample(WindowText(::GetDlgItem(m_hWnd, IDC_SAMPLE_BOX)));
}

void CFontSelectDialog::OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem)
{
    if (nIDCtl == IDC_FONT_PREVIEW && pDrawItem)
        m_preview.Draw(*pDrawItem);
}
