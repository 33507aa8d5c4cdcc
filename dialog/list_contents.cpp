// What the list shows: its columns, the faces in the chosen order, and the
// narrowing by the find box.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "dpi_awareness.h"
#include "redraw_suspended.h"
#include "text_room.h"
#include "common/unique_handle.h"
#include "common/window_text.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const UINT kColumnHeadings[kFaceColumnCount] = {IDS_COLUMN_FONT, IDS_COLUMN_ALLOWS, IDS_COLUMN_LICENCE};
// The context menu's command that sorts by each column; its id is the
// column's number plus one, as 0 is no choice.
const UINT kSortCommands[kFaceColumnCount] = {IDS_SORT_BY_FONT, IDS_SORT_BY_ALLOWS, IDS_SORT_BY_LICENCE};

// A name whose fitted column tells what the list adds to any name's width.
const wchar_t kMarginSample[] = L"M";

// Room beside a cell's text for the list's margins, at 96 DPI.
constexpr int kCellPadding = 12;
// The header's margin on either side of a heading's text and of its sort
// arrow, where the header does not tell it, and an edge beside the arrow,
// at 96 DPI.
constexpr int kHeadingMargin = 6;
constexpr int kArrowEdge = 2;

// Room beside a heading's text, sorted or not: the header's margins on
// either side of the text and of the sort arrow, and the arrow, at most as
// wide as a line of the heading is high, with an edge on either side.
int HeadingPadding(HWND list)
{
    const UINT dpi = DpiOf(list);
    const auto header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int told = header ? static_cast<int>(::SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0)) : 0;
    const int margin = told > 0 ? told : AtDpi(kHeadingMargin, dpi);
    return 4 * margin + LineHeight(header ? header : list) + 2 * AtDpi(kArrowEdge, dpi);
}

} // namespace

void CFontSelectDialog::AttachFontList(HWND list)
{
    const LONG style = list ? ::GetWindowLongA(list, GWL_STYLE) : 0;
    if (!list || (style & LVS_OWNERDATA))
        return;
    ::SetWindowLongA(list, GWL_STYLE, style & ~(LVS_SORTASCENDING | LVS_SORTDESCENDING));
    m_fontList.Attach(list);
}

void CFontSelectDialog::InsertColumns() const
{
    for (int column = 0; column < kFaceColumnCount; ++column)
        m_fontList.InsertColumn(column, AfxLoadString(kColumnHeadings[column]).c_str(), LVCFMT_LEFT);
}

void CFontSelectDialog::ShowFaces(int focused)
{
    const int count = static_cast<int>(m_faces.Shown().size());
    m_refilling = true;
    {
        RedrawSuspended quiet(m_fontList);
        m_fontList.DeleteAllItems();
        m_fontList.SetItemCountEx(count);
        for (int i = 0; i < count; ++i)
            InsertFace(i);
        KeepFocusOn(focused);
    }
    m_refilling = false;
    ShowFocusedFace();
}

// The item of the shown face at `item`, with its check box.
void CFontSelectDialog::InsertFace(int item)
{
    const CFaceTable::Face& face = *m_faces.ShownAt(item);
    m_fontList.InsertItem(item, face.Name().c_str());
    for (int column = kAllowsColumn; column < kFaceColumnCount; ++column)
        m_fontList.SetItemText(item, column, LPSTR_TEXTCALLBACKW);
    // The list enters new items unchecked.
    if (face.check != 0)
        m_fontList.SetItemState(item, INDEXTOSTATEIMAGEMASK(face.check + 1), LVIS_STATEIMAGEMASK);
}

void CFontSelectDialog::MeasureFaces(int first)
{
    const int cellPadding = AtDpi(kCellPadding, DpiOf(m_fontList.m_hWnd));
    for (int i = first; i < m_faces.Count(); ++i) {
        const CFaceTable::Face& face = m_faces.At(i);
        m_textWidths[kNameColumn] = std::max(m_textWidths[kNameColumn], face.nameWidth);
        // A few words serve every face: each is measured once.
        for (int column = kAllowsColumn; column < kFaceColumnCount; ++column) {
            const std::wstring* word = face.words[column];
            if (m_measuredWords.insert(word).second)
                m_textWidths[column] =
                    std::max(m_textWidths[column], m_fontList.GetStringWidth(word->c_str()) + cellPadding);
        }
    }
}

void CFontSelectDialog::LearnNameMargins()
{
    m_refilling = true;
    m_fontList.InsertItem(0, kMarginSample);
    m_fontList.SetColumnWidth(kNameColumn, LVSCW_AUTOSIZE);
    m_nameMargins = m_fontList.GetColumnWidth(kNameColumn) - m_fontList.GetStringWidth(kMarginSample);
    m_fontList.DeleteAllItems();
    m_refilling = false;
}

bool CFontSelectDialog::FitColumns()
{
    // The name column fits its widest name or its heading, the others their
    // widest word or heading. The list's own fitting to the heading is not
    // used: it makes the last column take the rest of the list's width.
    std::vector<int> widths(kFaceColumnCount, 0);
    const int headingPadding = HeadingPadding(m_fontList.m_hWnd);
    for (int column = 0; column < kFaceColumnCount; ++column) {
        const int heading = m_fontList.GetStringWidth(AfxLoadString(kColumnHeadings[column]).c_str());
        widths[column] = std::max(m_textWidths[column], heading + headingPadding);
    }
    widths[kNameColumn] = std::max(widths[kNameColumn], m_textWidths[kNameColumn] + m_nameMargins);
    // The name column takes whatever width the others leave.
    RECT client{};
    m_fontList.GetClientRect(&client);
    // A list that does not draw takes the scroll bar that more rows than it
    // shows bring only when it draws again: the columns fit the width it will
    // have then, so that they need not change, nor all rows be drawn again.
    if (!(::GetWindowLongA(m_fontList.m_hWnd, GWL_STYLE) & WS_VSCROLL) &&
        m_fontList.GetItemCount() > m_fontList.GetCountPerPage())
        client.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    widths[kNameColumn] =
        std::max(widths[kNameColumn], static_cast<int>(client.right) - widths[kAllowsColumn] - widths[kLicenceColumn]);
    bool resized = false;
    for (int column = 0; column < kFaceColumnCount; ++column) {
        if (m_fontList.GetColumnWidth(column) != widths[column]) {
            m_fontList.SetColumnWidth(column, widths[column]);
            resized = true;
        }
    }
    m_listWidth = client.right;
    return resized;
}

void CFontSelectDialog::RepaintFrom(int item, HRGN pending)
{
    // Drawing again, the list has invalidated all of itself.
    if (!pending)
        return;
    RECT area{};
    m_fontList.GetClientRect(&area);
    RECT row{};
    if (item < 0)
        area.top = area.bottom;
    else if (item > 0 && m_fontList.GetItemRect(item, &row, LVIR_BOUNDS))
        area.top = std::max(row.top, area.top);
    ::ValidateRect(m_fontList.m_hWnd, nullptr);
    ::InvalidateRgn(m_fontList.m_hWnd, pending, TRUE);
    if (area.top < area.bottom)
        ::InvalidateRect(m_fontList.m_hWnd, &area, TRUE);
}

void CFontSelectDialog::OnSize(UINT nType, int cx, int cy)
{
    CVexiDialog::OnSize(nType, cx, cy);
    // The resize rules know the places of the DPI the dialog opened at; at
    // another, the fitted layout places the controls in the new size.
    if (m_font.Moved() && nType != SIZE_MINIMIZED)
        FitControlsToTexts();
    if (HasFontList() && m_listWidth != 0)
        FollowListWidth();
}

// The name column takes the width that the list's client area gains, and
// gives back what it loses. True when it did.
bool CFontSelectDialog::FollowListWidth()
{
    RECT client{};
    m_fontList.GetClientRect(&client);
    const int added = client.right - m_listWidth;
    if (added != 0)
        m_fontList.SetColumnWidth(kNameColumn, std::max(m_fontList.GetColumnWidth(kNameColumn) + added, 0));
    m_listWidth = client.right;
    return added != 0;
}

void CFontSelectDialog::OnFontListDisplayInfo(NMHDR* pNotify, LRESULT* pResult)
{
    auto& item = reinterpret_cast<NMLVDISPINFOW*>(pNotify)->item;
    *pResult = 0;
    const CFaceTable::Face* face = m_faces.ShownAt(item.iItem);
    const int column = item.iSubItem;
    if (face && (item.mask & LVIF_TEXT) && column > kNameColumn && column < kFaceColumnCount && item.cchTextMax > 0)
        ::lstrcpynW(item.pszText, face->words[column]->c_str(), item.cchTextMax);
}

void CFontSelectDialog::OnFontListColumnClick(NMHDR* pNotify, LRESULT* pResult)
{
    const int column = reinterpret_cast<const NMLISTVIEW*>(pNotify)->iSubItem;
    *pResult = 0;
    SortByColumn(column);
}

void CFontSelectDialog::SortByColumn(int column)
{
    if (column < 0 || column >= kFaceColumnCount)
        return;
    // A second click on the same column reverses its order.
    const bool ascending = column != m_faces.SortColumn() || !m_faces.SortAscending();
    const int focused = FocusedFace();
    m_faces.SortBy(column, ascending);
    ShowFaces(focused);
    m_fontList.SetSortArrow(column, ascending);
}

// The list's context menu sorts from the keyboard as its headings do with
// the mouse: one command per column, the current one checked. From the
// keyboard (no point) it opens at the focused face.
LRESULT CFontSelectDialog::OnContextMenu(WPARAM window, LPARAM point)
{
    const HWND clicked = reinterpret_cast<HWND>(window);
    if (!HasFontList() || (clicked != m_fontList.m_hWnd && ::GetParent(clicked) != m_fontList.m_hWnd))
        return 0;
    POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (at.x == -1 && at.y == -1) {
        RECT row{};
        const int focused = m_fontList.GetNextItem(-1, LVNI_FOCUSED);
        if (focused < 0 || !m_fontList.GetItemRect(focused, &row, LVIR_LABEL))
            m_fontList.GetClientRect(&row);
        at = {row.left, row.bottom};
        ::ClientToScreen(m_fontList.m_hWnd, &at);
    }
    const UniqueHMenu menu(::CreatePopupMenu());
    if (!menu)
        return 0;
    for (int column = 0; column < kFaceColumnCount; ++column) {
        const UINT checked = column == m_faces.SortColumn() ? MF_CHECKED : MF_UNCHECKED;
        ::AppendMenuW(menu.get(), MF_STRING | checked, static_cast<UINT_PTR>(column + 1),
                      AfxLoadString(kSortCommands[column]).c_str());
    }
    const int chosen = static_cast<int>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         at.x, at.y, 0, m_hWnd, nullptr));
    if (chosen > 0)
        SortByColumn(chosen - 1);
    return 0;
}

void CFontSelectDialog::OnFindChange()
{
    if (!HasFontList())
        return;
    const int focused = FocusedFace();
    m_faces.Narrow(WindowText(::GetDlgItem(m_hWnd, IDC_FIND_BOX)));
    ShowFaces(focused);
    ShowCount();
}
