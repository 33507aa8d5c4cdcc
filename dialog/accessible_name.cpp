#include "accessible_name.h"

#include <string>

void NameAfterLabel(HWND control, HWND label)
{
    if (!control || !label)
        return;
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    // "&&" shows one ampersand; a lone "&" marks the access key.
    std::wstring name;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && ++i == text.size())
            break;
        name += text[i];
    }
    ::SetWindowTextW(control, name.c_str());
}
