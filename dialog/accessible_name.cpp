#include "accessible_name.h"

#include "common/window_text.h"

#include <string>

void NameAfterLabel(HWND control, HWND label)
{
    if (!control || !label)
        return;
    const std::wstring text = WindowText(label);
    // "&&" shows one ampersand; a lone "&" marks the access key.
    std::wstring name;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && ++i == text.size())
            break;
        name += text[i];
    }
    ::SetWindowTextW(control, name.c_str());
}
