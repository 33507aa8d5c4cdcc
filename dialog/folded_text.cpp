#include "folded_text.h"

std::wstring FoldedForFinding(std::wstring text)
{
    // Unit for unit: the lower case of a UTF-16 unit is one unit.
    ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
