#include "shaped_text.h"

#include <vector>

bool ReadsRightToLeft(const std::wstring& text)
{
    std::vector<WORD> types(text.size());
    if (text.empty() || !::GetStringTypeW(CT_CTYPE2, text.data(), static_cast<int>(text.size()), types.data()))
        return false;
    for (WORD type : types) {
        if (type == C2_LEFTTORIGHT || type == C2_RIGHTTOLEFT)
            return type == C2_RIGHTTOLEFT;
    }
    return false;
}

void DrawShapedLine(HDC dc, const RECT& line, const std::wstring& text, bool rightToLeft)
{
    // Aligned right, the text is placed by the width of its shaped glyphs.
    const UINT alignment = ::SetTextAlign(dc, rightToLeft ? TA_RIGHT | TA_TOP : TA_LEFT | TA_TOP);
    ::ExtTextOutW(dc, rightToLeft ? line.right : line.left, line.top, ETO_CLIPPED | (rightToLeft ? ETO_RTLREADING : 0),
                  &line, text.data(), static_cast<UINT>(text.size()), nullptr);
    ::SetTextAlign(dc, alignment);
}
