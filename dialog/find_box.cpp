#include "find_box.h"

#include <commctrl.h>

namespace {

bool HoldsText(HWND box)
{
    return ::GetWindowTextLengthW(box) > 0;
}

bool IsEscapeDown(const MSG* message)
{
    return message && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE;
}

LRESULT CALLBACK FindBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Claiming the key keeps the dialog manager from turning it into Cancel.
        if (IsEscapeDown(reinterpret_cast<const MSG*>(lParam)) && HoldsText(box))
            return ::DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && HoldsText(box)) {
            ::SetWindowTextW(box, L""); // the box reports the change as typing does
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(box, &FindBoxProc, id);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void EscapeEmptiesFindBox(HWND box)
{
    if (box)
        ::SetWindowSubclass(box, &FindBoxProc, 0, 0);
}
