#pragma once

#include <windows.h>

// Gives a control that shows no text of its own, such as a list view, its
// label's text as its window text, with the access key's marker: the text an
// accessibility client reads as the control's name, and its keyboard
// shortcut, where the system does not take them from the label before the
// control. The dialog's keys do not look at such a control's text.
void NameAfterLabel(HWND control, HWND label);
