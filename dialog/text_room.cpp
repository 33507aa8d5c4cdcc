#include "text_room.h"

#include "common/unique_handle.h"
#include "common/window_text.h"

namespace {

// Measures the control's text in its font by DrawTextW's rules, with `format`.
RECT TextRect(HWND control, UINT format, int width)
{
    RECT area{0, 0, width, 0};
    const UniqueScreenDC screen(::GetDC(nullptr));
    if (!screen)
        return area;
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    SelectedObject selected(screen.get(), font ? font : ::GetStockObject(SYSTEM_FONT));
    wchar_t className[16] = {};
    ::GetClassNameW(control, className, 16);
    if (::lstrcmpiW(className, L"Static") == 0 && (::GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX))
        format |= DT_NOPREFIX;
    const std::wstring text = WindowText(control);
    ::DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &area, format | DT_CALCRECT);
    return area;
}

} // namespace

int TextWidth(HWND control)
{
    return TextRect(control, DT_SINGLELINE, 0).right;
}

int WrappedTextHeight(HWND control, int width)
{
    return TextRect(control, DT_WORDBREAK | DT_EXPANDTABS, width).bottom;
}

int WrappedHeight(HDC dc, const std::wstring& text, int width)
{
    RECT area{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    return area.bottom;
}
