#pragma once

#include <windows.h>

// The dialog base units of a font, with which the dialog manager maps a
// template's coordinates to pixels: four units across make the font's
// average character width, eight down its height. Taken from the font, whose
// size in pixels carries the DPI, they follow a change of font or DPI.
struct DialogUnits {
    int perFourAcross = 4;
    int perEightDown = 8;

    // The units of `font` as the dialog manager measures them.
    static DialogUnits Of(HFONT font);
    // The units a dialog's template was mapped with.
    static DialogUnits MappedBy(HWND dialog);

    int Across(int units) const { return ::MulDiv(units, perFourAcross, 4); }
    int Down(int units) const { return ::MulDiv(units, perEightDown, 8); }
    int UnitsAcross(int pixels) const { return ::MulDiv(pixels, 4, perFourAcross); }
    int UnitsDown(int pixels) const { return ::MulDiv(pixels, 8, perEightDown); }
};

// The size a module's dialog template gives the dialog's client area, in
// dialog units, as the template says it: the window made of it may be held
// to the screen. {0, 0} when the template cannot be read.
SIZE TemplateClientUnits(HINSTANCE module, UINT templateId);
