#include "accessible_name.h"

#include "common/window_text.h"

#include <string>

void NameAfterLabel(HWND control, HWND label)
{
    if (control && label)
        ::SetWindowTextW(control, WindowText(label).c_str());
}
