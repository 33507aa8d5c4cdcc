// What the list shows: its columns, the faces in the chosen order, and the
// narrowing by the find box.
#include "font_select_dialog.h"

#include "control_ids.h"
#include "redraw_suspended.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

const UINT kColumnHeadings[kFaceColumnCount] = {IDS_COLUMN_FONT, IDS_COLUMN_ALLOWS, IDS_COLUMN_LICENCE};

// Room beside a heading's text for the header's margins and its sort arrow,
// and beside a cell's text for the list's margins.
constexpr int kHeadingPadding = 24;
constexpr int kCellPadding = 12;

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
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

void CFontSelectDialog::ShowFaces()
{
    const int count = static_cast<int>(m_faces.Shown().size());
    m_refilling = true;
    {
        RedrawSuspended quiet(m_fontList);
        m_fontList.DeleteAllItems();
        m_fontList.SetItemCountEx(count);
        for (int i = 0; i < count; ++i)
            InsertFace(i);
    }
    m_refilling = false;
    ShowFocusedFace();
}

void CFontSelectDialog::InsertShownFaces(const std::vector<int>& places)
{
    if (places.empty())
        return;
    m_refilling = true;
    {
        RedrawSuspended quiet(m_fontList);
        m_fontList.SetItemCountEx(static_cast<int>(m_faces.Shown().size()));
        for (int place : places)
            InsertFace(place);
    }
    m_refilling = false;
}

// The item of the shown face at `item`, with its check box.
void CFontSelectDialog::InsertFace(int item)
{
    const CFaceTable::Face& face = *m_faces.ShownAt(item);
    m_fontList.InsertItem(item, face.name.c_str());
    for (int column = kAllowsColumn; column < kFaceColumnCount; ++column)
        m_fontList.SetItemText(item, column, LPSTR_TEXTCALLBACKA);
    // The list enters new items unchecked.
    if (face.check != 0)
        m_fontList.SetItemState(item, INDEXTOSTATEIMAGEMASK(face.check + 1), LVIS_STATEIMAGEMASK);
}

void CFontSelectDialog::FitColumns()
{
    // The name column fits its longest name or its heading. The others hold a
    // few words each: measured once per word rather than once per item. The
    // list's own fitting to the heading is not used: it makes the last column
    // take the rest of the list's width.
    std::vector<int> widths(kFaceColumnCount, 0);
    m_fontList.SetColumnWidth(kNameColumn, LVSCW_AUTOSIZE);
    widths[kNameColumn] = m_fontList.GetColumnWidth(kNameColumn);
    for (int column = kAllowsColumn; column < kFaceColumnCount; ++column) {
        std::set<const std::string*> words;
        for (int face = 0; face < m_faces.Count(); ++face)
            words.insert(m_faces.At(face).words[column]);
        for (const std::string* word : words)
            widths[column] = std::max(widths[column], m_fontList.GetStringWidth(word->c_str()) + kCellPadding);
    }
    for (int column = 0; column < kFaceColumnCount; ++column) {
        const int heading = m_fontList.GetStringWidth(AfxLoadString(kColumnHeadings[column]).c_str());
        m_fontList.SetColumnWidth(column, std::max(widths[column], heading + kHeadingPadding));
    }
    // The name column takes whatever width the others leave.
    RECT client{};
    m_fontList.GetClientRect(&client);
    int others = 0;
    for (int column = 1; column < kFaceColumnCount; ++column)
        others += m_fontList.GetColumnWidth(column);
    if (m_fontList.GetColumnWidth(kNameColumn) < client.right - others)
        m_fontList.SetColumnWidth(kNameColumn, client.right - others);
    m_listWidth = client.right;
}

void CFontSelectDialog::OnSize(UINT nType, int cx, int cy)
{
    CVexiDialog::OnSize(nType, cx, cy);
    if (!HasFontList() || m_listWidth == 0)
        return;
    // The name column takes the width that resizing adds, and gives it back.
    RECT client{};
    m_fontList.GetClientRect(&client);
    const int added = client.right - m_listWidth;
    if (added != 0)
        m_fontList.SetColumnWidth(kNameColumn, std::max(m_fontList.GetColumnWidth(kNameColumn) + added, 0));
    m_listWidth = client.right;
}

void CFontSelectDialog::OnFontListDisplayInfo(NMHDR* pNotify, LRESULT* pResult)
{
    auto& item = reinterpret_cast<NMLVDISPINFOA*>(pNotify)->item;
    *pResult = 0;
    const CFaceTable::Face* face = m_faces.ShownAt(item.iItem);
    const int column = item.iSubItem;
    if (face && (item.mask & LVIF_TEXT) && column > kNameColumn && column < kFaceColumnCount && item.cchTextMax > 0)
        ::lstrcpynA(item.pszText, face->words[column]->c_str(), item.cchTextMax);
}

void CFontSelectDialog::OnFontListColumnClick(NMHDR* pNotify, LRESULT* pResult)
{
    const int column = reinterpret_cast<const NMLISTVIEW*>(pNotify)->iSubItem;
    *pResult = 0;
    if (column < 0 || column >= kFaceColumnCount)
        return;
    // A second click on the same column reverses its order.
    const bool ascending = column != m_faces.SortColumn() || !m_faces.SortAscending();
    m_faces.SortBy(column, ascending);
    ShowFaces();
    m_fontList.SetSortArrow(column, ascending);
}

void CFontSelectDialog::OnFindChange()
{
    if (!HasFontList())
        return;
    m_faces.Narrow(WindowText(::GetDlgItem(m_hWnd, IDC_FIND_BOX)));
    ShowFaces();
    ShowCount();
}
