#include "dialog_units.h"

#include "common/unique_handle.h"
#include "framework/afx.h"

#include <cstring>

DialogUnits DialogUnits::Of(HFONT font)
{
    // The average width of the Latin letters, rounded, and the font's height.
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    DialogUnits units;
    const UniqueScreenDC screen(::GetDC(nullptr));
    if (!screen)
        return units;
    SelectedObject selected(screen.get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    if (::GetTextExtentPoint32W(screen.get(), kAlphabet, 52, &extent) && extent.cx > 0 && extent.cy > 0)
        units = {(extent.cx / 26 + 1) / 2, extent.cy};
    return units;
}

DialogUnits DialogUnits::MappedBy(HWND dialog)
{
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(dialog, &units);
    return {static_cast<int>(units.right), static_cast<int>(units.bottom)};
}

SIZE TemplateClientUnits(HINSTANCE module, UINT templateId)
{
    const AfxResourceData resource =
        AfxGetResourceData(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    const auto* data = static_cast<const BYTE*>(resource.data);
    const size_t size = data ? resource.size : 0;
    // Both kinds of template give x, y, cx and cy as shorts after their
    // style words and item count: an extended one, which begins with its
    // version 1 and 0xFFFF, at byte 18; a plain one at byte 10.
    WORD head[2] = {};
    if (size >= sizeof head)
        std::memcpy(head, data, sizeof head);
    const size_t place = head[0] == 1 && head[1] == 0xFFFF ? 18 : 10;
    short box[4] = {};
    if (size < place + sizeof box)
        return {0, 0};
    std::memcpy(box, data + place, sizeof box);
    return {box[2], box[3]};
}
