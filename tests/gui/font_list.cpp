#include "font_list.h"

#include "driver_failure.h"
#include "common/ansi_text.h"
#include "framework/afx.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace {
constexpr UINT kSendTimeoutMs = 10000;
}

LRESULT FontList::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(m_list, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
        throw DriverFailure("the font list did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

int FontList::Count() const
{
    return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0));
}

std::wstring FontList::WideText(int item, int column) const
{
    wchar_t text[512] = {};
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = static_cast<int>(std::size(text));
    const auto length = Send(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
    return std::wstring(text, static_cast<size_t>(length));
}

std::string FontList::Text(int item, int column) const
{
    return Narrowed(WideText(item, column));
}

std::wstring FontList::Heading(int column) const
{
    wchar_t text[256] = {};
    LVCOLUMNW heading{};
    heading.mask = LVCF_TEXT;
    heading.pszText = text;
    heading.cchTextMax = static_cast<int>(std::size(text));
    Send(LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&heading));
    return text;
}

std::vector<std::string> FontList::Faces() const
{
    std::vector<std::string> faces;
    for (const std::wstring& face : WideFaces())
        faces.push_back(Narrowed(face));
    return faces;
}

int FontList::Find(const std::string& face) const
{
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = face.c_str();
    // The control matches without regard to case; face names are
    // case-sensitive, and a case twin may come first.
    for (int after = -1;;) {
        const int item = static_cast<int>(Send(LVM_FINDITEMA, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(&find)));
        if (item <= after)
            return -1;
        if (Text(item) == face)
            return item;
        after = item;
    }
}

int FontList::Require(const std::string& face) const
{
    const int item = Find(face);
    if (item == -1)
        throw DriverFailure("\"" + face + "\" is not in the font list");
    return item;
}

std::vector<std::wstring> FontList::WideFaces() const
{
    std::vector<std::wstring> faces;
    for (int i = 0, count = Count(); i < count; ++i)
        faces.push_back(WideText(i));
    return faces;
}

int FontList::Require(const std::wstring& face) const
{
    const std::vector<std::wstring> faces = WideFaces();
    const auto found = std::find(faces.begin(), faces.end(), face);
    if (found == faces.end())
        throw DriverFailure("\"" + Narrowed(face, CP_UTF8) + "\" is not in the font list");
    return static_cast<int>(found - faces.begin());
}

int FontList::Check(int item) const
{
    return CListCtrl::CheckOfState(static_cast<UINT>(Send(LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)));
}

void FontList::SetChecked(int item, bool checked) const
{
    LVITEMA state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    Send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

std::map<std::string, bool> FontList::CheckStates() const
{
    std::map<std::string, bool> states;
    for (int i = 0, count = Count(); i < count; ++i)
        states[Text(i)] = Checked(i);
    return states;
}

std::string FontList::FocusedFace() const
{
    const int item = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return item < 0 ? std::string() : Text(item);
}

void FontList::Select(std::initializer_list<int> items, int focused) const
{
    LVITEMA none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (int item : items) {
        LVITEMA selected{};
        selected.stateMask = LVIS_SELECTED;
        selected.state = LVIS_SELECTED;
        Send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&selected));
    }
    if (focused != -1) {
        LVITEMA focus{};
        focus.stateMask = LVIS_FOCUSED;
        focus.state = LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, focused, reinterpret_cast<LPARAM>(&focus));
    }
}

int FontList::HitTest(POINT at, UINT* flags) const
{
    LVHITTESTINFO hit{};
    hit.pt = at;
    const int item = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags)
        *flags = hit.flags;
    return item;
}

SIZE FontList::StateImageSize() const
{
    SIZE size{};
    int width = 0, height = 0;
    if (::ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, LVSIL_STATE, 0)), &width, &height))
        size = {width, height};
    return size;
}

RECT FontList::IconRect(int item) const
{
    RECT rect{};
    rect.left = LVIR_ICON;
    if (!Send(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect)))
        throw DriverFailure("no icon rectangle for item " + std::to_string(item));
    return rect;
}

RECT FontList::ClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_list, &rect);
    return rect;
}

POINT FontList::CheckBoxPoint(int item) const
{
    Send(LVM_ENSUREVISIBLE, item, FALSE);
    const RECT icon = IconRect(item);
    return {icon.right - 8, (icon.top + icon.bottom) / 2};
}

void FontList::Click(POINT at) const
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void FontList::PressKey(WORD key) const
{
    const UINT scanCode = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    Send(WM_KEYDOWN, key, 1 | (scanCode << 16));
    Send(WM_KEYUP, key, 1 | (scanCode << 16) | (3u << 30));
}

void FontList::TypeChars(const std::string& text) const
{
    for (char c : text)
        Send(WM_CHAR, static_cast<BYTE>(c), 1);
}

void FontList::ClickHeading(int column) const
{
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER, 0, 0));
    RECT rect{};
    if (!::SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect)))
        throw DriverFailure("no heading for column " + std::to_string(column));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    DWORD_PTR result = 0;
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        ::SendMessageTimeoutA(header, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, at, SMTO_NORMAL,
                              kSendTimeoutMs, &result);
}

void FontList::NotifyClick(POINT at, int code) const
{
    NMITEMACTIVATE activate{};
    activate.hdr.hwndFrom = m_list;
    activate.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_list));
    activate.hdr.code = static_cast<UINT>(code);
    activate.iItem = HitTest(at);
    activate.ptAction = at;
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(::GetParent(m_list), WM_NOTIFY, activate.hdr.idFrom,
                               reinterpret_cast<LPARAM>(&activate), SMTO_NORMAL, kSendTimeoutMs, &result))
        throw DriverFailure("the dialog did not answer the click notification");
}
