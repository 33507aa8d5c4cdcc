// The line under the list: how many faces are checked, of how many, how
// many the list shows while it is narrowed, and how many the administrator's
// policy sets; under LockAll, that the administrator allows no change.
#include "font_select_dialog.h"

#include "control_ids.h"

// While faces are still being found, the line says so; the usual count
// appears once the list is complete, or under LockAll the sentence that says
// why no check changes. A screen reader reads out each change of the line
// but those of the search's progress, which come every batch.
void CFontSelectDialog::ShowCount()
{
    m_countPending = false;
    const int shown = m_faces.Narrowed() ? static_cast<int>(m_faces.Shown().size()) : -1;
    // Under LockAll the line says why nothing can be changed, once every face is listed.
    const std::wstring line = !m_finder.Finding() && m_faces.Policy().LockAll()
                                  ? AfxLoadString(IDS_LOCKED_BY_ADMINISTRATOR)
                                  : m_countLine.Text(m_faces.CheckedCount(), m_faces.Count(), shown,
                                                     m_faces.LockedCount(), m_finder.Finding());
    m_countRegion.Show(line, !m_finder.Finding());
}

void CFontSelectDialog::ShowCountSoon()
{
    if (m_countPending)
        return;
    m_countPending = true;
    // Without the message (a full queue, say) the line follows at once, and
    // the next change posts again.
    if (!::PostMessageA(m_hWnd, kCountChangedMessage, 0, 0))
        ShowCount();
}

LRESULT CFontSelectDialog::OnCountChanged(WPARAM, LPARAM)
{
    if (m_countPending)
        ShowCount();
    return 0;
}
