#include "font_select_dialog.h"

#include "control_ids.h"
#include "find_box.h"
#include "redraw_suspended.h"
#include "host/kyreg8/kyreg8.h"
#include "store/defaults.h"
#include "store/switch_store.h"

#include <iterator>

const _dlgControlTag kFontSelectLayout[] = {
    {IDC_FONT_LIST_CAPTION, kVexiWider, 100},
    {IDC_FONT_LIST, kVexiWider, 100},
    {IDC_FONT_LIST, kVexiTaller, 100},
    {IDC_DEFAULTS_BTN, kVexiMoveDown, 100},
    {IDC_CHECK_ALL_BTN, kVexiMoveRight | kVexiMoveDown, 50},
    {IDC_CHECK_ALL_BTN, kVexiMoveDown, 100},
    {IDC_CLEAR_ALL_BTN, kVexiMoveRight | kVexiMoveDown, 100},
    {IDOK, kVexiMoveRight | kVexiMoveDown, 100},
    {IDCANCEL, kVexiMoveRight | kVexiMoveDown, 100},
    {IDC_HELP_BTN, kVexiMoveRight | kVexiMoveDown, 100},
    {IDC_FIND_BOX, kVexiWider, 100},
    {IDC_FONT_COUNT, kVexiMoveDown, 100},
    {IDC_FONT_COUNT, kVexiWider, 100},
};
const int kFontSelectLayoutCount = static_cast<int>(std::size(kFontSelectLayout));

namespace {

// What a check box commits: checked is on, unchecked off. An item without a
// box (-1) was never unchecked by the user, so it stays on.
int EnabledByCheck(int check)
{
    return check;
}

} // namespace

CFontSelectDialog::CFontSelectDialog(CWnd* pParent) : CVexiDialog(IDD_FONT_SELECT, pParent, nullptr) {}

CFontSelectDialog::~CFontSelectDialog() = default;

void CFontSelectDialog::DoDataExchange(CDataExchange* pDX)
{
    CVexiDialog::DoDataExchange(pDX);
}

BOOL CFontSelectDialog::OnInitDialog()
{
    try {
        m_strRootKey = GetAppKey(nullptr);
    } catch (const char*) {
        m_strRootKey.clear();
    }
    if (IsColdStart())
        SetAllToDefaults();
    CVexiBaseDialog::OnInitDialog();
    SetControlProperty(kFontSelectLayout, kFontSelectLayoutCount);
    AttachFontList(::GetDlgItem(m_hWnd, IDC_FONT_LIST));
    m_fonts.RemoveAll();
    {
        CWaitCursor wait;
        EnumerateTrueTypeFaces(*this);
        if (HasFontList())
            FillFontList(m_fonts);
    }
    EscapeEmptiesFindBox(::GetDlgItem(m_hWnd, IDC_FIND_BOX));
    return TRUE;
}

void CFontSelectDialog::PostNcDestroy()
{
    m_fontList.Detach();
    CVexiDialog::PostNcDestroy();
}

void CFontSelectDialog::FillFontList(const CFontEntryArray& fonts)
{
    m_fontList.SetExtendedStyle(LVS_EX_CHECKBOXES);
    InsertColumns();
    m_faces.Load(fonts, m_words);
    ShowFaces();
    m_fontList.SetSortArrow(kNameColumn, true);
    // Measured once the list shows its items, with its scroll bars in place.
    FitColumns();
    ShowCount();
}

void CFontSelectDialog::ShowEnabledStates(const CFontEntryArray& fonts)
{
    for (int i = 0; i < m_faces.Count(); ++i) {
        CFaceTable::Face& face = m_faces.At(i);
        const CFontEntry* entry = fonts.FindByFacename(face.name);
        face.switchList = entry ? SwitchListOf(*entry) : -1;
        if (entry)
            face.check = entry->m_enabled ? 1 : 0;
    }
    const std::vector<int>& shown = m_faces.Shown();
    for (size_t i = 0; i < shown.size(); ++i)
        m_fontList.SetCheck(static_cast<int>(i), m_faces.At(shown[i]).check == 1);
}

void CFontSelectDialog::OnOK()
{
    if (HasFontList()) {
        CWaitCursor wait;
        CSwitchWriter switches;
        // Every face, shown or not, in name order whatever the sort: names
        // that differ only in case share one registry value, so the order
        // decides which of them stands.
        for (int i : m_faces.NameOrder()) {
            const CFaceTable::Face& face = m_faces.At(i);
            if (face.switchList >= 0)
                switches.SetFaceEnabled(face.name.c_str(), EnabledByCheck(face.check), face.switchList);
        }
    }
    CVexiDialog::OnOK();
}

BEGIN_MESSAGE_MAP(CFontSelectDialog, CVexiDialog)
    ON_BN_CLICKED(IDC_CHECK_ALL_BTN, &CFontSelectDialog::OnCheckAll)
    ON_BN_CLICKED(IDC_HELP_BTN, &CFontSelectDialog::OnHelpButton)
    ON_BN_CLICKED(IDC_DEFAULTS_BTN, &CFontSelectDialog::OnDefaults)
    ON_NOTIFY(NM_CLICK, IDC_FONT_LIST, &CFontSelectDialog::OnFontListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_FONT_LIST, &CFontSelectDialog::OnFontListClick)
    ON_BN_CLICKED(IDC_CLEAR_ALL_BTN, &CFontSelectDialog::OnClearAll)
    ON_NOTIFY(LVN_KEYDOWN, IDC_FONT_LIST, &CFontSelectDialog::OnFontListKeyDown)
    ON_WM_HELPINFO(&CFontSelectDialog::OnHelpInfo)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FONT_LIST, &CFontSelectDialog::OnFontListItemChanged)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_FONT_LIST, &CFontSelectDialog::OnFontListDisplayInfo)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_FONT_LIST, &CFontSelectDialog::OnFontListColumnClick)
    ON_EN_CHANGE(IDC_FIND_BOX, &CFontSelectDialog::OnFindChange)
    ON_WM_SIZE(&CFontSelectDialog::OnSize)
    ON_MESSAGE(kCountChangedMessage, &CFontSelectDialog::OnCountChanged)
END_MESSAGE_MAP()
