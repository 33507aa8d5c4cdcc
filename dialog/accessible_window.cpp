#include "accessible_window.h"

#include "common/unique_handle.h"

#include <oleacc.h>

#include <new>
#include <utility>

namespace {

using UniqueAccessible = UniqueHandle<IAccessible*, &ReleaseInterface<IAccessible>>;

} // namespace

// The dialog's name, value and description of the window and its children;
// the rest is the standard object's. Clients call it on the dialog's thread:
// COM marshals their calls there, and the window answers their requests there.
class CWindowObject final : public IAccessible {
public:
    CWindowObject(UniqueAccessible standard, CAccessibleWindow::TextSource texts)
        : m_standard(std::move(standard)), m_texts(std::move(texts))
    {
    }

    // The window has gone: nothing is read from the dialog any more.
    void Disconnect()
    {
        m_standard.reset();
        m_texts = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IAccessible) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return Forward(&IAccessible::GetTypeInfoCount, count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return Forward(&IAccessible::GetTypeInfo, index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return Forward(&IAccessible::GetIDsOfNames, iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return Forward(&IAccessible::Invoke, id, iid, locale, flags, params, result, exception, argument);
    }

    // IAccessible: the dialog's texts
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Text(child, name, &CAccessibleWindow::Texts::name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Text(child, value, &CAccessibleWindow::Texts::value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Text(child, description, &CAccessibleWindow::Texts::description, &IAccessible::get_accDescription);
    }

    // IAccessible: the standard object's
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return Forward(&IAccessible::get_accParent, parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return Forward(&IAccessible::get_accChildCount, count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return Forward(&IAccessible::get_accChild, child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Forward(&IAccessible::get_accRole, child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Forward(&IAccessible::get_accState, child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Forward(&IAccessible::get_accHelp, child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return Forward(&IAccessible::get_accHelpTopic, file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return Forward(&IAccessible::get_accFocus, focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return Forward(&IAccessible::get_accSelection, selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Forward(&IAccessible::get_accDefaultAction, child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return Forward(&IAccessible::accSelect, flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return Forward(&IAccessible::accLocation, left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return Forward(&IAccessible::accNavigate, direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return Forward(&IAccessible::accHitTest, x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Forward(&IAccessible::accDoDefaultAction, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return Forward(&IAccessible::put_accName, child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return Forward(&IAccessible::put_accValue, child, value);
    }

private:
    ~CWindowObject() = default;

    template <typename Method, typename... Args>
    HRESULT Forward(Method method, Args&&... args)
    {
        return m_standard ? (m_standard.get()->*method)(std::forward<Args>(args)...) : CO_E_OBJNOTCONNECTED;
    }

    // One of the dialog's texts of the window or a child; the standard
    // object's where the dialog has none.
    HRESULT Text(VARIANT child, BSTR* text, std::wstring CAccessibleWindow::Texts::*part,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*))
    {
        if (!text)
            return E_POINTER;
        *text = nullptr;
        if (!m_texts)
            return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4)
            return Forward(standard, child, text);
        try {
            const std::wstring wanted = m_texts(child.lVal).*part;
            if (wanted.empty())
                return Forward(standard, child, text);
            *text = ::SysAllocStringLen(wanted.data(), static_cast<UINT>(wanted.size()));
        } catch (...) {
            return E_OUTOFMEMORY; // no exception leaves for the client
        }
        return *text ? S_OK : E_OUTOFMEMORY;
    }

    LONG m_references = 1;
    UniqueAccessible m_standard;
    CAccessibleWindow::TextSource m_texts;
};

CAccessibleWindow::~CAccessibleWindow()
{
    if (m_window && ::GetWindowLongPtrW(m_window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProc)) {
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    }
    Detach();
}

// The window's procedure is replaced, and the object found in its user data,
// rather than chained through the common controls' subclasses, which are
// looked up by a window property at every message: a list of thousands of
// faces is sent many, and a property is a round trip to the window server.
void CAccessibleWindow::Attach(HWND window, TextSource texts)
{
    if (!window || ::GetWindowLongPtrW(window, GWLP_USERDATA))
        return;
    m_texts = std::move(texts);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
    if (m_previous)
        m_window = window;
    else
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

void CAccessibleWindow::Changed() const
{
    if (!m_window)
        return;
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
    ValueChanged();
    ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

void CAccessibleWindow::ValueChanged() const
{
    if (m_window)
        ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

CWindowObject* CAccessibleWindow::Object()
{
    if (!m_object) {
        IAccessible* standard = nullptr;
        if (FAILED(::CreateStdAccessibleObject(m_window, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&standard))) ||
            !standard)
            return nullptr;
        UniqueAccessible owned(standard);
        m_object = new (std::nothrow) CWindowObject(std::move(owned), m_texts);
    }
    return m_object;
}

void CAccessibleWindow::Detach()
{
    if (m_object) {
        m_object->Disconnect();
        m_object->Release();
        m_object = nullptr;
    }
    m_window = nullptr;
    m_previous = nullptr;
    m_texts = nullptr;
}

LRESULT CALLBACK CAccessibleWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* accessible = reinterpret_cast<CAccessibleWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    const WNDPROC previous = accessible->m_previous;
    switch (message) {
    case WM_GETOBJECT:
        // The id comes as a 32-bit value, however wide lParam is.
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (CWindowObject* object = accessible->Object())
                return ::LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        accessible->Detach();
        break;
    default:
        break;
    }
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}
