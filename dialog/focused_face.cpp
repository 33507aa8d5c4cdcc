// The preview band: it shows the list's focused face, with the sample the
// user types, and says when the administrator's policy sets its check.
#include "font_select_dialog.h"

#include "control_ids.h"

#include <string>

void CFontSelectDialog::ShowFocusedFace()
{
    if (!m_preview.Attached() || !HasFontList())
        return;
    const CFaceTable::Face* face = m_faces.ShownAt(m_fontList.GetNextItem(-1, LVNI_FOCUSED));
    std::wstring sentence = face ? m_words.Sentence(face->fsType, face->embeddable) : std::wstring();
    if (face && face->locked)
        sentence = m_words.SetByAdministrator(sentence);
    m_preview.Show(face, sentence);
}

void CFontSelectDialog::OnSampleChange()
{
    const HWND box = ::GetDlgItem(m_hWnd, IDC_SAMPLE_BOX);
    std::wstring sample(static_cast<size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
    sample.resize(static_cast<size_t>(::GetWindowTextW(box, sample.data(), static_cast<int>(sample.size()))));
    m_preview.SetSample(sample);
}

void CFontSelectDialog::OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem)
{
    if (nIDCtl == IDC_FONT_PREVIEW && pDrawItem)
        m_preview.Draw(*pDrawItem);
}
