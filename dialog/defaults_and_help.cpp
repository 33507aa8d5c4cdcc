// The defaults button and help.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "redraw_suspended.h"
#include "host/kyreg8/kyreg8.h"
#include "store/defaults.h"

namespace {

const char kHelpFile[] = "DRV_KVF.HLP";
const char kHelpTopic[] = "Font_Handling_drv_kvf";

constexpr UINT kHelpTopicCommand = 0;
constexpr UINT kHelpContextCommand = 8;

} // namespace

void CFontSelectDialog::OnDefaults()
{
    const std::string prompt = AfxLoadString(IDS_RESET_PROMPT);
    const std::string caption = AfxLoadString(IDS_RESET_CAPTION);
    if (::MessageBoxA(m_hWnd, prompt.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    const LONG reset = SetAllToDefaults();
    {
        CWaitCursor wait;
        m_fonts.RemoveAll();
        EnumerateTrueTypeFaces(*this);
        // Every face's check box shows the store, reset or not; items are
        // neither added nor removed, and the find text stays.
        if (HasFontList()) {
            {
                RedrawSuspended quiet(m_fontList);
                ShowEnabledStates(m_fonts);
            }
            ShowCount();
        }
    }
    if (reset != ERROR_SUCCESS)
        OnResetFailed(static_cast<WPARAM>(reset), 0);
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
