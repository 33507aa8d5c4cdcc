#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The room a control's text takes, measured as the control draws it: in the
// control's own font, with an access key's marker left out where the
// control shows one.

// The width of the control's text on one line, in pixels.
int TextWidth(HWND control);
// The height of a line of text in the control's font, in pixels.
int LineHeight(HWND control);
// The height of the control's text wrapped at `width` pixels, as a static
// control wraps it.
int WrappedTextHeight(HWND control, int width);
// The height the tallest of `texts` would take in the control, wrapped so.
int WrappedTextHeight(HWND control, int width, const std::vector<std::wstring>& texts);

// The height of `text` wrapped at `width` pixels in the font selected into `dc`.
int WrappedHeight(HDC dc, const std::wstring& text, int width);
