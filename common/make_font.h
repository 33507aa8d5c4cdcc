#pragma once

#include "common/unique_handle.h"

// Makes a font from a logical description through CreateFontW, field by field
// (byte fields widened without sign): every font the library makes goes
// through this one call, which the handle checks count.
inline UniqueHFont MakeFont(const LOGFONTW& font)
{
    return UniqueHFont(::CreateFontW(font.lfHeight, font.lfWidth, font.lfEscapement, font.lfOrientation,
                                     font.lfWeight, font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet,
                                     font.lfOutPrecision, font.lfClipPrecision, font.lfQuality,
                                     font.lfPitchAndFamily, font.lfFaceName));
}
