#include "accessible_window.h"

#include "window_object.h"

#include "common/slim_lock.h"

#include <oleacc.h>

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace {

// The windows whose procedure is ours: each with the procedure it had, and
// the object that answers for it; none once that object has gone while
// another procedure was laid over ours, when its messages only pass on.
struct Subclass {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
    CAccessibleWindow* owner = nullptr;
};
SRWLOCK g_subclassesLock = SRWLOCK_INIT;
std::vector<Subclass> g_subclasses;

std::vector<Subclass>::iterator FindIn(HWND window)
{
    return std::find_if(g_subclasses.begin(), g_subclasses.end(),
                        [window](const Subclass& subclass) { return subclass.window == window; });
}

Subclass FindSubclass(HWND window)
{
    const HeldSlimLock held(g_subclassesLock, true);
    const auto found = FindIn(window);
    return found == g_subclasses.end() ? Subclass{} : *found;
}

// Takes the window into the table, if it is not there; false when it is, or
// memory ran out.
bool AddSubclass(const Subclass& subclass)
{
    const HeldSlimLock held(g_subclassesLock, false);
    if (FindIn(subclass.window) != g_subclasses.end())
        return false;
    try {
        g_subclasses.push_back(subclass);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// The window's object has gone: its messages only pass on.
void OrphanSubclass(HWND window)
{
    const HeldSlimLock held(g_subclassesLock, false);
    if (const auto found = FindIn(window); found != g_subclasses.end())
        found->owner = nullptr;
}

void RemoveSubclass(HWND window)
{
    const HeldSlimLock held(g_subclassesLock, false);
    if (const auto found = FindIn(window); found != g_subclasses.end())
        g_subclasses.erase(found);
}

} // namespace

CAccessibleWindow::~CAccessibleWindow()
{
    Detach();
}

// The window's procedure is replaced, and the object found in a table of
// ours, rather than chained through the common controls' subclasses, which
// are looked up by a window property at every message: a list of thousands
// of faces is sent many, and a property is a round trip to the window
// server.
void CAccessibleWindow::Attach(HWND window, TextSource texts)
{
    if (!window || m_window)
        return;
    const auto previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    // The entry is there before the procedure: its first message finds it.
    if (!previous || !AddSubclass({window, previous, this}))
        return;
    if (!::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc))) {
        RemoveSubclass(window);
        return;
    }
    m_window = window;
    m_texts = std::move(texts);
}

void CAccessibleWindow::Changed() const
{
    if (!m_window)
        return;
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
    ValueChanged();
    DescriptionChanged();
}

void CAccessibleWindow::ValueChanged() const
{
    if (m_window)
        ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

void CAccessibleWindow::DescriptionChanged() const
{
    if (m_window)
        ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

CWindowObject* CAccessibleWindow::Object()
{
    if (!m_object) {
        IAccessible* standard = nullptr;
        if (FAILED(::CreateStdAccessibleObject(m_window, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&standard))) ||
            !standard)
            return nullptr;
        m_object = MakeWindowObject(m_window, UniqueAccessible(standard), m_texts);
    }
    return m_object;
}

// A thread without COM cannot hand out the object: it enters an apartment
// for the object's life, so that what is handed out there can also be
// disconnected there.
LRESULT CAccessibleWindow::Answer(WPARAM wParam)
{
    CWindowObject* object = Object();
    if (!object)
        return 0;
    LRESULT result = ::LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
    if (static_cast<HRESULT>(result) == CO_E_NOTINITIALIZED && m_apartment.Enter())
        result = ::LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
    // Failed, the client takes the system's standard object.
    return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

void CAccessibleWindow::Detach()
{
    if (!m_window)
        return;
    const HWND window = m_window;
    m_window = nullptr; // no client is given the object from now on
    if (::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProc)) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FindSubclass(window).previous));
        RemoveSubclass(window);
    } else {
        // Another procedure lies over ours: its messages still pass through
        // ours to the window's own, until the window goes.
        OrphanSubclass(window);
    }
    if (m_object) {
        m_object->Disconnect();
        ::CoDisconnectObject(static_cast<IAccessible*>(m_object), 0);
        // Still held once COM has let go: a client in this apartment holds
        // the object itself, or a call has yet to leave it. Its code stays.
        if (m_object->Release() > 0) {
            HMODULE module = nullptr;
            ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                 reinterpret_cast<LPCWSTR>(&WindowProc), &module);
        }
        m_object = nullptr;
    }
    m_texts = nullptr;
    m_apartment.Leave();
}

LRESULT CALLBACK CAccessibleWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Subclass subclass = FindSubclass(window);
    if (!subclass.previous)
        return ::DefWindowProcW(window, message, wParam, lParam);
    CAccessibleWindow* accessible = subclass.owner;
    if (accessible && message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        // The id comes as a 32-bit value, however wide lParam is.
        if (const LRESULT answer = accessible->Answer(wParam))
            return answer;
    } else if (accessible && message == TextRequestMessage() && message != 0) {
        if (accessible->m_object)
            accessible->m_object->AnswerTextRequest();
        return 0;
    } else if (message == WM_NCDESTROY) {
        if (accessible)
            accessible->Detach();
        RemoveSubclass(window);
    }
    return ::CallWindowProcW(subclass.previous, window, message, wParam, lParam);
}
