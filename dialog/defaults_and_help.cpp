// The defaults button and help.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "redraw_suspended.h"
#include "host/kyreg8/kyreg8.h"
#include "store/defaults.h"
#include "store/switch_store.h"

namespace {

const char kHelpFile[] = "DRV_KVF.HLP";
const char kHelpTopic[] = "Font_Handling_drv_kvf";

constexpr UINT kHelpTopicCommand = 0;
constexpr UINT kHelpContextCommand = 8;

} // namespace

void CFontSelectDialog::OnDefaults()
{
    // No is the default: Enter pressed by habit keeps the user's choices.
    if (ShowMessage(AfxLoadString(IDS_RESET_PROMPT), IDS_RESET_CAPTION, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    // A walk still finding faces read the switches before the reset: it
    // starts again, and the faces it finds anew are left out.
    const bool finding = m_finder.Finding();
    m_finder.Stop();
    const LONG reset = SetAllToDefaults();
    // Every face's check box shows the store, reset or not; items are
    // neither added nor removed, and the find text stays.
    if (HasFontList()) {
        {
            RedrawSuspended quiet(m_fontList);
            ShowStoredStates();
        }
        if (finding)
            StartFinding();
        ShowCount();
    }
    if (reset != ERROR_SUCCESS)
        OnResetFailed(static_cast<WPARAM>(reset), 0);
}

void CFontSelectDialog::ShowStoredStates()
{
    const CSwitchReader switches(ProfileKeyPaths());
    for (int i = 0; i < m_faces.Count(); ++i) {
        CFaceTable::Face& face = m_faces.At(i);
        if (face.locked)
            continue; // the policy's state stands
        face.check = face.stored = switches.IsEnabled(face.names, face.switchList != 0) ? 1 : 0;
    }
    const std::vector<int>& shown = m_faces.Shown();
    for (size_t i = 0; i < shown.size(); ++i)
        m_fontList.SetCheck(static_cast<int>(i), m_faces.At(shown[i]).check == 1);
}

void CFontSelectDialog::OnHelpButton()
{
    DoHelp(m_hWnd, kHelpFile, reinterpret_cast<DWORD_PTR>(kHelpTopic), kHelpTopicCommand);
}

BOOL CFontSelectDialog::OnHelpInfo(HELPINFO* pHelpInfo)
{
    if (!pHelpInfo)
        return TRUE; // any window of the process may send WM_HELP without a request
    DoHelp(static_cast<HWND>(pHelpInfo->hItemHandle), kHelpFile, pHelpInfo->dwContextId, kHelpContextCommand);
    return TRUE;
}
