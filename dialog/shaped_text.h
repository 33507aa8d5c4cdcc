#pragma once

#include <windows.h>

#include <string>

// True when `text` reads from right to left: its first character of a
// strong direction is a right-to-left one (Hebrew, Arabic ...).
bool ReadsRightToLeft(const std::wstring& text);

// Draws `text` on one line, clipped to it, in the font selected, as the
// system shapes and orders it: joined letters and ligatures, read from right
// to left and from the line's right edge when `rightToLeft`, else from its
// left edge. Its width is never measured here: the system measures such text
// as if it were not shaped.
void DrawShapedLine(HDC dc, const RECT& line, const std::wstring& text, bool rightToLeft);
