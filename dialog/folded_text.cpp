#include "folded_text.h"

std::wstring FoldedForFinding(const std::string& text, UINT codePage)
{
    const int bytes = static_cast<int>(text.size());
    const int length = bytes > 0 ? ::MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0) : 0;
    if (length <= 0)
        return std::wstring();
    std::wstring folded(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), bytes, folded.data(), length);
    // Unit for unit: the lower case of a UTF-16 unit is one unit.
    ::CharLowerBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}
