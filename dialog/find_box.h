#pragma once

#include <windows.h>

// Makes Esc in the find box empty it while it holds text. In an empty box
// Esc goes on to the dialog, which cancels. Nothing happens for no box.
void EscapeEmptiesFindBox(HWND box);
