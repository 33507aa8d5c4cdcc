#pragma once

#include <windows.h>

// Keys in an edit box of the dialog: Esc empties the box while it holds
// text, and in an empty box goes on to the dialog, which cancels. With an
// `enterMessage`, Enter sends it to the box's parent instead of pressing the
// default button. Nothing happens for no box.
void HandleBoxKeys(HWND box, UINT enterMessage = 0);
