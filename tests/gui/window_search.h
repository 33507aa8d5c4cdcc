#pragma once

#include <windows.h>

#include <functional>

// A visible top-level dialog-class window of the process (and, unless 0, of
// the thread), other than `except`, with a control `withControl` unless that
// is 0. Null when there is none.
HWND FindDialogWindow(DWORD processId, DWORD threadId, HWND except, int withControl = 0);
// The font selection dialog, in whichever language: the dialog with a
// Defaults button.
HWND FindFontDialog(DWORD processId, DWORD threadId, HWND except = nullptr);

// Polls `condition` until it holds or `timeoutMs` have passed; its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// How long a test waits for a window to come or go before it fails.
constexpr DWORD kWindowTimeoutMs = 15000;
