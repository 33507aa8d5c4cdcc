#include "text_room.h"

#include "common/unique_handle.h"
#include "common/window_text.h"

#include <algorithm>

namespace {

// How a static control wraps its text.
constexpr UINT kStaticWrapping = DT_WORDBREAK | DT_EXPANDTABS;

// The control's font, as the control draws with it.
HGDIOBJ FontOf(HWND control)
{
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    return font ? font : ::GetStockObject(SYSTEM_FONT);
}

// Measures `text` in the control's font by DrawTextW's rules, with `format`.
RECT TextRect(HWND control, const std::wstring& text, UINT format, int width)
{
    RECT area{0, 0, width, 0};
    const UniqueScreenDC screen(::GetDC(nullptr));
    if (!screen)
        return area;
    SelectedObject selected(screen.get(), FontOf(control));
    wchar_t className[16] = {};
    ::GetClassNameW(control, className, 16);
    if (::lstrcmpiW(className, L"Static") == 0 && (::GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX))
        format |= DT_NOPREFIX;
    ::DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &area, format | DT_CALCRECT);
    return area;
}

} // namespace

int TextWidth(HWND control)
{
    return TextRect(control, WindowText(control), DT_SINGLELINE, 0).right;
}

int LineHeight(HWND control)
{
    TEXTMETRICW metrics{};
    const UniqueScreenDC screen(::GetDC(nullptr));
    if (screen) {
        SelectedObject selected(screen.get(), FontOf(control));
        ::GetTextMetricsW(screen.get(), &metrics);
    }
    return static_cast<int>(metrics.tmHeight);
}

int WrappedTextHeight(HWND control, int width)
{
    return TextRect(control, WindowText(control), kStaticWrapping, width).bottom;
}

int WrappedTextHeight(HWND control, int width, const std::vector<std::wstring>& texts)
{
    int tallest = 0;
    for (const std::wstring& text : texts)
        tallest = std::max<int>(tallest, TextRect(control, text, kStaticWrapping, width).bottom);
    return tallest;
}

int WrappedHeight(HDC dc, const std::wstring& text, int width)
{
    RECT area{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    return area.bottom;
}
