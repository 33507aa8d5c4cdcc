#define AFX_BUILD
#include "afx.h"

#include <algorithm>
#include <climits>

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR heading, int nFormat) const
{
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | (heading ? LVCF_TEXT : 0);
    column.fmt = nFormat;
    column.pszText = const_cast<LPWSTR>(heading);
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, nCol, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, LPCWSTR text) const
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(text);
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR text) const
{
    LVITEMW item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::DeleteAllItems() const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

void CListCtrl::SetItemCountEx(int count) const
{
    ::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, count, 0);
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, nItem, nMask));
}

int CListCtrl::CheckOfState(UINT state)
{
    // State-image index 2 is checked, 1 unchecked, 0 none.
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
}

int CListCtrl::GetCheck(int nItem) const
{
    return CheckOfState(GetItemState(nItem, LVIS_STATEIMAGEMASK));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) const
{
    LVITEMA item{};
    item.stateMask = nMask;
    item.state = nState;
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetCheck(int nItem, BOOL bCheck) const
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::SetCheckAll(BOOL bCheck) const
{
    return SetCheck(-1, bCheck);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)));
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

int CListCtrl::HitTest(POINT point) const
{
    LVHITTESTINFO info{};
    info.pt = point;
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::GetItemRect(int nItem, RECT* rect, UINT nCode) const
{
    rect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) const
{
    // The message carries the width in 16 signed bits: a wider one would wrap.
    const int width = std::clamp(cx, SHRT_MIN, SHRT_MAX);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(width, 0)));
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0));
}

int CListCtrl::GetStringWidth(LPCWSTR text) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
}

void CListCtrl::SetSortArrow(int nCol, bool ascending) const
{
    HWND header = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < columns; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == nCol)
            item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        ::SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}
