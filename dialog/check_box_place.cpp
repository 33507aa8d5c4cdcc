#include "check_box_place.h"

#include <commctrl.h>

bool FindCheckBoxPlace(HWND list, int item, CheckBoxPlace& place)
{
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    int width = 0, height = 0;
    RECT icon{LVIR_ICON, 0, 0, 0}, row{LVIR_BOUNDS, 0, 0, 0};
    if (!images || !::ImageList_GetIconSize(images, &width, &height) ||
        !::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&icon)) ||
        !::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row)))
        return false;
    const LONG top = row.top + (row.bottom - row.top - height) / 2;
    place.box = {icon.left - width, top, icon.left, top + height};
    place.band = {icon.left - width, icon.top, icon.left, icon.bottom};
    return true;
}
