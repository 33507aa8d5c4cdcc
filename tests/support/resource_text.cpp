#include "resource_text.h"

std::wstring ResourceString(HMODULE library, UINT id)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}
