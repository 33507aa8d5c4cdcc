#include "dialog_units.h"

#include "common/unique_handle.h"

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
