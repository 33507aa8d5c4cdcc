#include "accessible_client.h"

#include "window_search.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<std::pair<HWND, DWORD>> g_heard; // on the recording thread

// Out-of-context events come with the thread's messages.
void TakeMessages()
{
    for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        ::DispatchMessageW(&message);
}

} // namespace

UniqueAccessible AccessibleOf(HWND window)
{
    IAccessible* object = nullptr;
    ::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
    return UniqueAccessible(object);
}

std::wstring Read(const UniqueAccessible& object, TextGetter getter, LONG child)
{
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    BSTR text = nullptr;
    const HRESULT result = (object.get()->*getter)(which, &text);
    const UniqueHandle<BSTR, &::SysFreeString> owned(text);
    if (FAILED(result))
        return L"<failed>";
    return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

WinEventRecorder::WinEventRecorder(DWORD first, DWORD last)
    : m_hook(::SetWinEventHook(first, last, nullptr, &Hook, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT))
{
    Forget();
}

bool WinEventRecorder::Heard(HWND window, DWORD event)
{
    return WaitUntil(
        [&] {
            TakeMessages();
            return std::find(g_heard.begin(), g_heard.end(), std::pair{window, event}) != g_heard.end();
        },
        kWindowTimeoutMs);
}

void WinEventRecorder::Forget()
{
    TakeMessages();
    g_heard.clear();
}

void CALLBACK WinEventRecorder::Hook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        g_heard.emplace_back(window, event);
}
