#include "window_search.h"

#include "dialog/control_ids.h"

#include <cstring>

namespace {

struct WindowQuery {
    DWORD processId;
    DWORD threadId;
    HWND except;
    int withControl;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    DWORD processId = 0;
    const DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
    if (window == query->except || processId != query->processId || (query->threadId && threadId != query->threadId) ||
        !::IsWindowVisible(window))
        return TRUE;
    char windowClass[16] = {};
    ::GetClassNameA(window, windowClass, sizeof windowClass);
    if (std::strcmp(windowClass, "#32770") != 0)
        return TRUE;
    if (query->withControl && !::GetDlgItem(window, query->withControl))
        return TRUE;
    query->found = window;
    return FALSE;
}

} // namespace

HWND FindDialogWindow(DWORD processId, DWORD threadId, HWND except, int withControl)
{
    WindowQuery query{processId, threadId, except, withControl, nullptr};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND FindFontDialog(DWORD processId, DWORD threadId, HWND except)
{
    return FindDialogWindow(processId, threadId, except, IDC_DEFAULTS_BTN);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return condition();
        ::Sleep(10);
    }
    return true;
}
