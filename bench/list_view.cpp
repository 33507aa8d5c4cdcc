#include "list_view.h"

#include <commctrl.h>

int ItemCount(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::string> ItemTexts(HWND list, int column)
{
    const int count = ItemCount(list);
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(count));
    char text[256];
    for (int i = 0; i < count; ++i) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        const LRESULT length = ::SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(text, static_cast<size_t>(length));
    }
    return texts;
}

std::vector<bool> ItemChecks(HWND list)
{
    const int count = ItemCount(list);
    std::vector<bool> checks(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        checks[static_cast<size_t>(i)] = ListView_GetCheckState(list, i) == 1;
    return checks;
}

int CountChecked(HWND list)
{
    int checked = 0;
    for (bool check : ItemChecks(list))
        checked += check ? 1 : 0;
    return checked;
}

void SetCheck(HWND list, int item, bool checked)
{
    ListView_SetCheckState(list, item, checked);
}

void InsertItem(HWND list, int index, const char* text, bool checked)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    const LRESULT at = ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (checked)
        SetCheck(list, static_cast<int>(at), true);
}

void SetItemText(HWND list, int index, int column, const char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    ::SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

ListRedrawSuspended::ListRedrawSuspended(HWND list) : m_list(list)
{
    ::SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
}

ListRedrawSuspended::~ListRedrawSuspended()
{
    ::SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_list, nullptr, TRUE);
}
