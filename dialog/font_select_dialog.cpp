#include "font_select_dialog.h"

#include "accessible_name.h"
#include "box_keys.h"
#include "control_ids.h"
#include "message_text.h"
#include "reading_direction.h"
#include "redraw_suspended.h"
#include "host/kyreg8/kyreg8.h"
#include "store/defaults.h"
#include "store/policy.h"
#include "store/switch_store.h"
#include "framework/dialog_help_ids.h"

#include <algorithm>
#include <iterator>

const _dlgControlTag kFontSelectLayout[] = {
    {IDC_FONT_LIST_CAPTION, kVexiWider, 100},
    {IDC_FONT_LIST, kVexiWider, 100},
    {IDC_FONT_LIST, kVexiTaller, 100},
    {IDC_DEFAULTS_BTN, kVexiMoveDown, 100},
    // The buttons that change checks stay together at the left edge.
    {IDC_CHECK_ALL_BTN, kVexiMoveDown, 100},
    {IDC_CLEAR_ALL_BTN, kVexiMoveDown, 100},
    {IDOK, kVexiMoveRight | kVexiMoveDown, 100},
    {IDCANCEL, kVexiMoveRight | kVexiMoveDown, 100},
    {IDC_HELP_BTN, kVexiMoveRight | kVexiMoveDown, 100},
    {IDC_FIND_BOX, kVexiWider, 100},
    {IDC_FONT_COUNT, kVexiMoveDown, 100},
    {IDC_FONT_COUNT, kVexiWider, 100},
    {IDC_FONT_PREVIEW, kVexiMoveDown, 100},
    {IDC_FONT_PREVIEW, kVexiWider, 100},
};
const int kFontSelectLayoutCount = static_cast<int>(std::size(kFontSelectLayout));

const _dlgControlTag kSampleRowLayout[] = {
    {IDC_FIND_BOX, kVexiWider, 50},
    {IDC_SAMPLE_LABEL, kVexiMoveRight, 50},
    {IDC_SAMPLE_BOX, kVexiMoveRight | kVexiWider, 50},
};
const int kSampleRowLayoutCount = static_cast<int>(std::size(kSampleRowLayout));

namespace {

// Every control the dialog works with: a translation whose template lacks
// one, made for another release's, is not shown.
const DWORD kFontSelectControls[] = {
    IDC_FIND_LABEL, IDC_FIND_BOX,     IDC_SAMPLE_LABEL, IDC_SAMPLE_BOX,    IDC_FONT_LIST_CAPTION,
    IDC_FONT_LIST,  IDC_FONT_PREVIEW, IDC_FONT_COUNT,   IDC_DEFAULTS_BTN,  IDC_CHECK_ALL_BTN,
    IDC_CLEAR_ALL_BTN, IDOK, IDCANCEL, IDC_HELP_BTN, IDC_FONT_LIST_LABEL,
};

// What a check box commits: checked is on, unchecked off. An item without a
// box (-1) was never unchecked by the user, so it stays on.
int EnabledByCheck(int check)
{
    return check;
}

// Marks the open dialog's window, so that a further request finds it.
const char kOpenDialogProperty[] = "Glyphor.FontSelectDialog";

BOOL CALLBACK BringToFrontIfOpenDialog(HWND window, LPARAM found)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    // Until its initialisation ends, the dialog is not on the screen.
    if (process != ::GetCurrentProcessId() || !::GetPropA(window, kOpenDialogProperty) || !::IsWindowVisible(window))
        return TRUE;
    if (::IsIconic(window))
        ::ShowWindowAsync(window, SW_RESTORE);
    ::SetForegroundWindow(::GetLastActivePopup(window));
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// A profile without General is the host's to create: until then every switch
// reads on and saving a change says it cannot be done.
bool IsMissingProfile(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND;
}

// Why the store refused, in words the user can act on: the system's "file
// not found" would say nothing of a profile without General, or of a host
// that cannot name its profile.
std::wstring ReasonText(LONG error)
{
    return IsMissingProfile(error) ? AfxLoadString(IDS_NO_SETTINGS_PLACE) : SystemErrorText(error);
}

} // namespace

CFontSelectDialog::CFontSelectDialog(CWnd* pParent) : CVexiDialog(IDD_FONT_SELECT, pParent, nullptr) {}

CFontSelectDialog::~CFontSelectDialog() = default;

bool CFontSelectDialog::HasEveryControl(HINSTANCE resources)
{
    const std::vector<std::pair<DWORD, DWORD>> controls = ReadTemplateHelpIds(resources, IDD_FONT_SELECT).controls;
    return std::all_of(std::begin(kFontSelectControls), std::end(kFontSelectControls), [&controls](DWORD id) {
        return std::any_of(controls.begin(), controls.end(), [id](const auto& control) { return control.first == id; });
    });
}

bool CFontSelectDialog::BringOpenDialogToFront()
{
    bool found = false;
    ::EnumWindows(&BringToFrontIfOpenDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

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
    // A change of the policy while the dialog is open shows at its next opening.
    m_faces.FollowPolicy(CurrentPolicy());
    if (IsColdStart()) {
        const LONG reset = SetAllToDefaults();
        // Told once the dialog is on the screen.
        if (reset != ERROR_SUCCESS && !IsMissingProfile(reset))
            ::PostMessageA(m_hWnd, kResetFailedMessage, static_cast<WPARAM>(reset), 0);
    }
    m_messageReading = MessageBoxReading(AfxGetResourceHandle(), IDD_FONT_SELECT);
    CVexiBaseDialog::OnInitDialog();
    ::SetPropA(m_hWnd, kOpenDialogProperty, m_hWnd);
    m_preview.Attach(::GetDlgItem(m_hWnd, IDC_FONT_PREVIEW));
    // The resize rules start from the places that fit the texts.
    m_font.Opened(m_hWnd);
    FitControlsToTexts();
    SetControlProperty(kFontSelectLayout, kFontSelectLayoutCount);
    if (::GetDlgItem(m_hWnd, IDC_SAMPLE_BOX))
        SetControlProperty(kSampleRowLayout, kSampleRowLayoutCount);
    m_countRegion.Attach(::GetDlgItem(m_hWnd, IDC_FONT_COUNT));
    AttachFontList(::GetDlgItem(m_hWnd, IDC_FONT_LIST));
    NameAfterLabel(::GetDlgItem(m_hWnd, IDC_FONT_LIST), ::GetDlgItem(m_hWnd, IDC_FONT_LIST_LABEL));
    if (HasFontList())
        m_listAccessible.Attach(m_fontList.m_hWnd, [this](LONG child) { return ListItemTexts(child); });
    // The faces come as they are found, once the dialog is on the screen.
    if (HasFontList()) {
        FillFontList();
        StartFinding();
        ShowCount();
    }
    HandleBoxKeys(::GetDlgItem(m_hWnd, IDC_FIND_BOX), kFindEnterMessage);
    HandleBoxKeys(::GetDlgItem(m_hWnd, IDC_SAMPLE_BOX)); // empty, it shows the default sample
    DisableChangesUnderLockAll();
    m_opened = true;
    return TRUE;
}

void CFontSelectDialog::OnDestroy()
{
    // No thread of the dialog outlives its window.
    m_finder.Stop();
    m_countRegion.Detach();
    ::RemovePropA(m_hWnd, kOpenDialogProperty);
}

// After a failure in a handler the dialog handles no more messages, and
// OnDestroy is not called: the walk, which measures in the window's font, is
// stopped here all the same, before the font goes with the window.
void CFontSelectDialog::PostNcDestroy()
{
    m_finder.Stop();
    m_fontList.Detach();
    CVexiDialog::PostNcDestroy();
}

void CFontSelectDialog::FillFontList()
{
    m_fontList.SetExtendedStyle(LVS_EX_CHECKBOXES);
    InsertColumns();
    LearnNameMargins();
    m_fontList.SetSortArrow(kNameColumn, true);
    FitColumns();
}

// Each batch costs the list one repaint: its faces take their places, and
// the columns their widths, while the list does not draw.
void CFontSelectDialog::StartFinding()
{
    m_finder.Start(m_hWnd, kFacesFoundMessage,
                   reinterpret_cast<HFONT>(::SendMessageA(m_fontList.m_hWnd, WM_GETFONT, 0, 0)), ProfileKeyPaths());
}

// The faces of a batch take their places, and the columns their widths,
// while the list does not draw; then it draws again what changed: the rows
// from the first face inserted among those it shows, or all of it when a
// column's width changed. Faces found below the rows shown, or hidden by
// the find text, cost it no repaint, only its scroll bar.
LRESULT CFontSelectDialog::OnFacesFound(WPARAM generation, LPARAM)
{
    const CFaceFinder::Batch batch = m_finder.Take(generation);
    const int known = m_faces.Count();
    const std::vector<int> places = m_faces.Add(batch.faces, m_words);
    if (m_faces.Count() > known) {
        // What the list had yet to draw, a check box the user just changed
        // for one, is drawn all the same.
        const UniqueHRgn pending(::CreateRectRgn(0, 0, 0, 0));
        if (pending)
            ::GetUpdateRgn(m_fontList.m_hWnd, pending.get(), FALSE);
        m_refilling = true;
        m_fontList.SetRedraw(FALSE);
        for (int place : places)
            InsertFace(place);
        MeasureFaces(known);
        bool resized = FitColumns();
        m_fontList.SetRedraw(TRUE);
        m_refilling = false;
        // The list's scroll bar comes as it draws again.
        resized = FollowListWidth() || resized;
        RepaintFrom(resized ? 0 : places.empty() ? -1 : places.front(), pending.get());
        FollowTop();
    }
    // A batch of faces the list holds already, as a walk started again
    // brings, counts as shown too.
    if (!batch.faces.empty())
        m_finder.Shown();
    if (!batch.faces.empty() || batch.last)
        ShowCount();
    return 0;
}

void CFontSelectDialog::OnOK()
{
    // Under LockAll no switch is the user's to save.
    if (m_faces.Policy().LockAll()) {
        CVexiDialog::OnCancel();
        return;
    }
    const SaveOutcome saved = SaveChanges();
    if (saved.failed > 0) {
        ShowFailure(IDS_SAVE_FAILED, IDS_SAVE_FAILED_CAPTION,
                    {m_countLine.Number(saved.failed), ReasonText(saved.firstError)});
        return;
    }
    CVexiDialog::OnOK();
}

// Only the switches the user changed are written: a change made elsewhere
// while the dialog is open stands. A face written is one the user has no
// longer changed, so OK again writes only what failed.
CFontSelectDialog::SaveOutcome CFontSelectDialog::SaveChanges()
{
    SaveOutcome outcome;
    if (!HasFontList())
        return outcome;
    CSwitchWriter switches(ProfileKeyPaths());
    // Case twins write their one value alike: their checks agree.
    for (int i : m_faces.Changed()) {
        CFaceTable::Face& face = m_faces.At(i);
        const LONG result = switches.SetFaceEnabled(face.names, EnabledByCheck(face.check), face.switchList);
        if (result == ERROR_SUCCESS) {
            face.stored = face.check;
        } else if (outcome.failed++ == 0) {
            outcome.firstError = result;
        }
    }
    return outcome;
}

void CFontSelectDialog::ShowFailure(UINT textId, UINT captionId, const std::vector<std::wstring>& inserts) const
{
    ShowMessage(FormattedMessage(AfxLoadString(textId), inserts), captionId, MB_OK | MB_ICONEXCLAMATION);
}

int CFontSelectDialog::ShowMessage(const std::wstring& text, UINT captionId, UINT type) const
{
    return ::MessageBoxW(m_hWnd, text.c_str(), AfxLoadString(captionId).c_str(), type | m_messageReading);
}

LRESULT CFontSelectDialog::OnResetFailed(WPARAM error, LPARAM)
{
    ShowFailure(IDS_RESET_FAILED, IDS_RESET_CAPTION, {ReasonText(static_cast<LONG>(error))});
    return 0;
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
    ON_NOTIFY(LVN_ITEMCHANGING, IDC_FONT_LIST, &CFontSelectDialog::OnFontListItemChanging)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_FONT_LIST, &CFontSelectDialog::OnFontListCustomDraw)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_FONT_LIST, &CFontSelectDialog::OnFontListDisplayInfo)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_FONT_LIST, &CFontSelectDialog::OnFontListColumnClick)
    ON_MESSAGE(WM_CONTEXTMENU, &CFontSelectDialog::OnContextMenu)
    ON_MESSAGE(kFindEnterMessage, &CFontSelectDialog::OnFindEnter)
    ON_EN_CHANGE(IDC_FIND_BOX, &CFontSelectDialog::OnFindChange)
    ON_EN_CHANGE(IDC_SAMPLE_BOX, &CFontSelectDialog::OnSampleChange)
    ON_WM_DRAWITEM(&CFontSelectDialog::OnDrawItem)
    ON_WM_SIZE(&CFontSelectDialog::OnSize)
    ON_WM_GETMINMAXINFO(&CFontSelectDialog::OnGetMinMaxInfo)
    ON_WM_DESTROY(&CFontSelectDialog::OnDestroy)
    ON_MESSAGE(kCountChangedMessage, &CFontSelectDialog::OnCountChanged)
    ON_MESSAGE(kResetFailedMessage, &CFontSelectDialog::OnResetFailed)
    ON_MESSAGE(kFacesFoundMessage, &CFontSelectDialog::OnFacesFound)
    ON_MESSAGE(WM_DPICHANGED, &CFontSelectDialog::OnDpiChanged)
END_MESSAGE_MAP()
