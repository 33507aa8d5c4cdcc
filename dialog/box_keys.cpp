#include "box_keys.h"

#include <commctrl.h>

namespace {

bool HoldsText(HWND box)
{
    return ::GetWindowTextLengthW(box) > 0;
}

bool IsKeyDown(const MSG* message, WPARAM key)
{
    return message && message->message == WM_KEYDOWN && message->wParam == key;
}

LRESULT CALLBACK BoxKeysProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR enterMessage)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // Claiming a key keeps the dialog manager from turning it into Cancel or OK.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if ((IsKeyDown(key, VK_ESCAPE) && HoldsText(box)) || (IsKeyDown(key, VK_RETURN) && enterMessage != 0))
            return ::DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && HoldsText(box)) {
            ::SetWindowTextW(box, L""); // the box reports the change as typing does
            return 0;
        }
        if (wParam == VK_RETURN && enterMessage != 0) {
            ::SendMessageW(::GetParent(box), static_cast<UINT>(enterMessage), 0, 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' && enterMessage != 0)
            return 0; // the key was handled as it went down
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(box, &BoxKeysProc, id);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void HandleBoxKeys(HWND box, UINT enterMessage)
{
    if (box)
        ::SetWindowSubclass(box, &BoxKeysProc, 0, enterMessage);
}
