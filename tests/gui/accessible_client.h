#pragma once

// The dialog as an accessibility client reads it, through oleacc.

#include "common/unique_handle.h"

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

using UniqueAccessible = UniqueHandle<IAccessible*, &ReleaseInterface<IAccessible>>;

// COM for the calling thread's scope, as an accessibility client has it, or
// a host's thread of either apartment.
struct ComApartment {
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) { ::CoInitializeEx(nullptr, model); }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// The window's client object; null when it has none.
UniqueAccessible AccessibleOf(HWND window);

// One of the texts of an object or of its child; "<failed>" when it could
// not be read.
using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring Read(const UniqueAccessible& object, TextGetter getter, LONG child = CHILDID_SELF);

// The WinEvents of a range that windows raise for their client objects, as
// a client in another process hears them: out of context, delivered to the
// calling thread as it takes its messages. One at a time.
class WinEventRecorder {
public:
    WinEventRecorder(DWORD first, DWORD last);
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    // Whether `window` raised `event` since the recorder began or last
    // forgot, waiting a while for it to be delivered.
    bool Heard(HWND window, DWORD event);
    void Forget();

private:
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);
    UniqueHandle<HWINEVENTHOOK, &::UnhookWinEvent> m_hook;
};
