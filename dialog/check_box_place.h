#pragma once

#include <windows.h>

// Where a list view draws an item's check box: its state image, as wide and
// tall as the list's state images are at the list's DPI, ending where the
// item's icon place begins and centred in the row. The click band is the
// box's column across the row's height, its top and bottom edges included.
struct CheckBoxPlace {
    RECT box;
    RECT band;
};

// False when the list has no state images or the item no place.
bool FindCheckBoxPlace(HWND list, int item, CheckBoxPlace& place);
