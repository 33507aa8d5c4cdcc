#pragma once

#include <windows.h>

// Gives a control that shows no text of its own, such as a list view, its
// label's text as its window text, without the access key's marker: the
// text an accessibility client reads as the control's name where the system
// does not take it from the label before the control.
void NameAfterLabel(HWND control, HWND label);
