#include "reading_direction.h"

#include "framework/afx.h"

#include <cstring>

namespace {

// Where a template's extended style lies: after the version, signature and
// help id of an extended one, after the style of a classic one.
constexpr size_t kExtendedStyleOfExtended = 2 * sizeof(WORD) + sizeof(DWORD);
constexpr size_t kExtendedStyleOfClassic = sizeof(DWORD);

DWORD TemplateExtendedStyle(HINSTANCE resources, UINT templateId)
{
    const AfxResourceData found =
        AfxGetResourceData(resources, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    const auto* data = static_cast<const BYTE*>(found.data);
    WORD head[2] = {};
    if (!data || found.size < sizeof head)
        return 0;
    std::memcpy(head, data, sizeof head);
    const size_t offset = head[0] == 1 && head[1] == 0xFFFF ? kExtendedStyleOfExtended : kExtendedStyleOfClassic;
    DWORD style = 0;
    if (found.size < offset + sizeof style)
        return 0;
    std::memcpy(&style, data + offset, sizeof style);
    return style;
}

} // namespace

bool IsMirrored(HWND window)
{
    return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

UINT MessageBoxReading(HINSTANCE resources, UINT templateId)
{
    return (TemplateExtendedStyle(resources, templateId) & WS_EX_LAYOUTRTL) ? MB_RTLREADING | MB_RIGHT : 0;
}
