#pragma once

#include <windows.h>

#include <functional>

// A visible top-level dialog-class window of the process (and, unless 0, of
// the thread), other than `except`, whose caption is `caption` unless that
// is null. Null when there is none.
HWND FindDialogWindow(DWORD processId, DWORD threadId, HWND except, const char* caption);

// Polls `condition` until it holds or `timeoutMs` have passed; its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// How long a test waits for a window to come or go before it fails.
constexpr DWORD kWindowTimeoutMs = 15000;
