#include "window_object.h"

#include "common/slim_lock.h"

#include <new>
#include <utility>

namespace {

// How long a client's call waits for the window's thread to read the
// dialog's texts before it fails.
constexpr UINT kReadTimeoutMs = 5000;
// How often the window's thread, waiting for a call to end, looks again.
constexpr DWORD kWaitStepMs = 10;

class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&m_section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { ::DeleteCriticalSection(&m_section); }

    CRITICAL_SECTION* get() { return &m_section; }

private:
    CRITICAL_SECTION m_section;
};

// Holds a critical section for a scope. A call holding it may be sending the
// window a message, so the window's own thread, while it waits, answers the
// messages sent to it.
class HeldSection {
public:
    HeldSection(CriticalSection& section, DWORD windowThread) : m_section(section.get())
    {
        if (::GetCurrentThreadId() != windowThread) {
            ::EnterCriticalSection(m_section);
            return;
        }
        while (!::TryEnterCriticalSection(m_section)) {
            ::MsgWaitForMultipleObjectsEx(0, nullptr, kWaitStepMs, QS_SENDMESSAGE, 0);
            MSG message;
            ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    HeldSection(const HeldSection&) = delete;
    HeldSection& operator=(const HeldSection&) = delete;
    ~HeldSection() { ::LeaveCriticalSection(m_section); }

private:
    CRITICAL_SECTION* m_section;
};

} // namespace

// Clients call it on any thread: on the window's when COM marshals their
// calls there, on one of COM's own when the window's thread is in the
// multithreaded apartment. Every call and the disconnection take one
// critical section, so none uses what the disconnection releases.
class CForwardingObject final : public CWindowObject {
public:
    CForwardingObject(HWND window, UniqueAccessible standard, CAccessibleWindow::TextSource texts)
        : m_window(window), m_thread(::GetWindowThreadProcessId(window, nullptr)), m_standard(std::move(standard)),
          m_texts(std::move(texts))
    {
    }

    void Disconnect() override
    {
        const HeldSection held(m_calls, m_thread);
        m_standard.reset();
        m_texts = nullptr;
    }

    void AnswerTextRequest() override
    {
        const HeldSlimLock held(m_requestLock, false);
        if (m_request.open)
            m_request.result = ReadHere(m_request.child, m_request.texts);
        m_request.open = false;
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

    // IAccessible: the dialog's texts and states
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
    // The dialog's states are added to the standard object's; where that
    // knows none of a child's, they are its states.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!state)
            return E_POINTER;
        const HeldSection held(m_calls, m_thread);
        CAccessibleWindow::Texts texts;
        if (const HRESULT read = Read(child, texts); FAILED(read))
            return read;
        const HRESULT standard = m_standard.get()->get_accState(child, state);
        if (texts.state == 0)
            return standard;
        if (SUCCEEDED(standard) && state->vt == VT_I4) {
            state->lVal |= texts.state;
        } else {
            ::VariantClear(state);
            state->vt = VT_I4;
            state->lVal = texts.state;
        }
        return S_OK;
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
    // A call from another thread waiting for the window's thread to read
    // the dialog's texts: one at a time, under m_calls.
    struct TextRequest {
        bool open = false; // until answered, or given up
        LONG child = CHILDID_SELF;
        CAccessibleWindow::Texts texts;
        HRESULT result = S_OK;
    };

    ~CForwardingObject() override = default;

    template <typename Method, typename... Args>
    HRESULT Forward(Method method, Args&&... args)
    {
        const HeldSection held(m_calls, m_thread);
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
        const HeldSection held(m_calls, m_thread);
        CAccessibleWindow::Texts texts;
        if (const HRESULT read = Read(child, texts); FAILED(read))
            return read;
        const std::wstring& wanted = texts.*part;
        if (wanted.empty())
            return (m_standard.get()->*standard)(child, text);
        *text = ::SysAllocStringLen(wanted.data(), static_cast<UINT>(wanted.size()));
        return *text ? S_OK : E_OUTOFMEMORY;
    }

    // The dialog's texts of the window or a child, read on the window's
    // thread; none for a child that is not a number. Under m_calls.
    HRESULT Read(const VARIANT& child, CAccessibleWindow::Texts& texts)
    {
        if (!m_standard)
            return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4)
            return S_OK;
        if (::GetCurrentThreadId() == m_thread)
            return ReadHere(child.lVal, texts);
        {
            const HeldSlimLock held(m_requestLock, false);
            m_request = {true, child.lVal, {}, HRESULT_FROM_WIN32(ERROR_TIMEOUT)};
        }
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(m_window, TextRequestMessage(), 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kReadTimeoutMs,
                              &answer);
        // Unanswered, the request is closed all the same: the message, should
        // it come late, finds none open.
        const HeldSlimLock held(m_requestLock, false);
        m_request.open = false;
        if (SUCCEEDED(m_request.result))
            texts = std::move(m_request.texts);
        return m_request.result;
    }

    HRESULT ReadHere(LONG child, CAccessibleWindow::Texts& texts) const
    {
        if (!m_texts)
            return CO_E_OBJNOTCONNECTED;
        try {
            texts = m_texts(child);
        } catch (...) {
            return E_OUTOFMEMORY; // no exception leaves for the client
        }
        return S_OK;
    }

    LONG m_references = 1;
    const HWND m_window;
    const DWORD m_thread;
    CriticalSection m_calls;
    UniqueAccessible m_standard;            // under m_calls; null once disconnected
    CAccessibleWindow::TextSource m_texts;  // on the window's thread; null once disconnected
    SRWLOCK m_requestLock = SRWLOCK_INIT;
    TextRequest m_request;                  // under m_requestLock
};

CWindowObject* MakeWindowObject(HWND window, UniqueAccessible standard, CAccessibleWindow::TextSource texts)
{
    try {
        return new CForwardingObject(window, std::move(standard), std::move(texts));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

UINT TextRequestMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"Glyphor.AccessibleWindow.TextRequest");
    return message;
}
