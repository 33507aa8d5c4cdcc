#include "font_select_dialog.h"

#include "control_ids.h"
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
};
const int kFontSelectLayoutCount = static_cast<int>(std::size(kFontSelectLayout));

namespace {

// What a check box commits: checked is on, unchecked off. An item without a
// box (-1) was never unchecked by the user, so it stays on.
int EnabledByCheck(int check)
{
    return check;
}

// The list's single column: wide enough for the longest name, and never
// narrower than the list.
void FitColumn(const CListCtrl& list)
{
    list.SetColumnWidth(0, LVSCW_AUTOSIZE);
    RECT client{};
    list.GetClientRect(&client);
    const int width = static_cast<int>(::SendMessageA(list.m_hWnd, LVM_GETCOLUMNWIDTH, 0, 0));
    if (width < client.right)
        list.SetColumnWidth(0, client.right);
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
    m_fontList.Attach(::GetDlgItem(m_hWnd, IDC_FONT_LIST));
    m_fonts.RemoveAll();
    EnumerateTrueTypeFaces(*this);
    if (HasFontList())
        FillFontList(m_fonts);
    return TRUE;
}

void CFontSelectDialog::PostNcDestroy()
{
    m_fontList.Detach();
    CVexiDialog::PostNcDestroy();
}

void CFontSelectDialog::FillFontList(CFontEntryArray& fonts)
{
    m_fontList.SetExtendedStyle(LVS_EX_CHECKBOXES);
    m_fontList.InsertColumn(0, nullptr, LVCFMT_LEFT);
    const int count = fonts.GetSize();
    {
        RedrawSuspended quiet(m_fontList);
        m_fontList.SetItemCountEx(count);
        for (int i = 0; i < count; ++i)
            m_fontList.InsertItem(i, fonts.GetAt(i)->GetFacename().c_str());
        ShowEnabledStates(fonts, count);
    }
    // Measured once the list shows its items, with its scroll bars in place.
    FitColumn(m_fontList);
}

void CFontSelectDialog::ShowEnabledStates(const CFontEntryArray& fonts, int count)
{
    std::string face;
    for (int i = 0; i < count; ++i) {
        m_fontList.GetItemText(i, 0, face);
        const CFontEntry* entry = fonts.FindByFacename(face);
        if (entry)
            m_fontList.SetCheck(i, entry->m_enabled != 0);
    }
}

void CFontSelectDialog::OnOK()
{
    const int count = HasFontList() ? m_fontList.GetItemCount() : 0;
    std::string face;
    for (int i = 0; i < count; ++i) {
        const int check = m_fontList.GetCheck(i);
        m_fontList.GetItemText(i, 0, face);
        const CFontEntry* entry = m_fonts.FindByFacename(face);
        if (!entry)
            continue;
        const int enabled = EnabledByCheck(check);
        const int tessellation = entry->m_embeddable ? 0 : 1;
        SetFaceEnabled(face.c_str(), enabled, tessellation);
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
END_MESSAGE_MAP()
