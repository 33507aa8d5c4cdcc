// The dialog fitted to its texts in the resource library's language, in the
// dialog's font and DPI, and to the work area of its monitor, before the
// resize rules take the controls' places.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "dialog_units.h"
#include "dpi_awareness.h"
#include "text_room.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The rows the list keeps on a screen too short for the dialog's content.
constexpr int kLeastListRows = 3;
// What a row takes beyond its text or a small icon, whichever is taller,
// and the small icon's height, at 96 DPI: at the least as much as a list
// view gives its rows.
constexpr int kRowPadding = 2;
constexpr int kSmallIcon = 16;

// The list's height with room for its headings, `rows` rows and a scroll bar
// below them, in its font at its DPI. Measured before it holds any row.
int ListHeightForRows(HWND list, int rows)
{
    const UINT dpi = DpiOf(list);
    const int row = std::max(LineHeight(list), AtDpi(kSmallIcon, dpi)) + AtDpi(kRowPadding, dpi);
    RECT frame{}, client{}, headings{};
    ::GetWindowRect(list, &frame);
    ::GetClientRect(list, &client);
    ::GetWindowRect(reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0)), &headings);
    return (frame.bottom - frame.top - client.bottom) + (headings.bottom - headings.top) + rows * row +
           ::GetSystemMetrics(SM_CYHSCROLL);
}

} // namespace

void CFontSelectDialog::FitControlsToTexts()
{
    using Width = CFittedLayout::Width;
    CFittedLayout::Plan plan;
    plan.templateClient = TemplateClientUnits(AfxGetResourceHandle(), IDD_FONT_SELECT);
    plan.row = {{IDC_FIND_LABEL, Width::OfText},
                {IDC_FIND_BOX, Width::Rest},
                {IDC_SAMPLE_LABEL, Width::OfText},
                {IDC_SAMPLE_BOX, Width::Rest}};
    plan.leftButtons = {IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN, IDC_CLEAR_ALL_BTN};
    plan.rightButtons = {IDOK, IDCANCEL, IDC_HELP_BTN};
    plan.stretched = {IDC_FONT_LIST_CAPTION, IDC_FONT_LIST_LABEL, IDC_FONT_LIST, IDC_FONT_PREVIEW, IDC_FONT_COUNT};
    // Under LockAll alone every face is locked too, and reads so.
    const PolicySnapshot& policy = m_faces.Policy();
    const bool mayLock = policy.SetsAnySwitch() || policy.LockAll();
    plan.growers = {
        {IDC_FONT_LIST_CAPTION, [](HWND caption, SIZE size) { return WrappedTextHeight(caption, size.cx); }},
        // The band keeps its face lines and gains the lines its longest
        // sentence needs, the policy's forms too where it may lock a face.
        {IDC_FONT_PREVIEW,
         [this, mayLock](HWND, SIZE size) {
             return size.cy + m_preview.ReserveSentenceLines(size.cx, m_words.EverySentence(mayLock));
         }},
        // The count line likewise keeps the lines its longest sentence needs.
        {IDC_FONT_COUNT,
         [this, mayLock](HWND line, SIZE size) {
             return WrappedTextHeight(line, size.cx, m_countLine.EveryText(mayLock));
         }},
    };
    // The list gives up height first, the band's face lines after it.
    plan.flexible = {{IDC_FONT_LIST, [](HWND list, SIZE) { return ListHeightForRows(list, kLeastListRows); }},
                     {IDC_FONT_PREVIEW, [this](HWND, SIZE) { return m_preview.LeastHeight(); }}};
    m_layout.Apply(m_hWnd, plan);
}

// The dialog is never smaller than the layout's least: the resize rules
// move the controls, but do not wrap their texts again.
void CFontSelectDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    const SIZE least = m_layout.LeastWindowSize();
    if (least.cx > 0)
        info->ptMinTrackSize = {least.cx, least.cy};
}
