#pragma once

// The application framework the library and the host's dialog framework are
// built on: module states with their current resource module, the application
// object driven by the module's load and unload, table-driven message maps,
// modal dialogs and a list-control wrapper. Only what those modules use.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <exception>
#include <string>

#ifdef AFX_BUILD
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif

class CWinApp;
class CCmdTarget;

// ---------------------------------------------------------------------------
// Module state

// What the framework keeps per module: its instance, the module its templates
// and strings come from, and its application object.
struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
    bool m_bAppRunning = false; // InitInstance succeeded and ExitInstance has not run
};

// The module state selected on this thread; the host's when none is.
AFX_API AFX_MODULE_STATE* AfxGetModuleState();
// Selects a module state on this thread and returns the one it replaces.
AFX_API AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);

// The calling module's own state. Defined in each module that links the
// framework's module entry, so it always names the caller's module.
AFX_MODULE_STATE* AfxGetStaticModuleState();

// Selects a module state for a scope; the previous one comes back on every exit.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_pPrevState(AfxSetModuleState(state)) {}
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;
    ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevState); }

private:
    AFX_MODULE_STATE* m_pPrevState;
};
#define AFX_MANAGE_STATE(state) AFX_MAINTAIN_STATE2 _ctlState(state)

AFX_API HINSTANCE AfxGetResourceHandle();
AFX_API void AfxSetResourceHandle(HINSTANCE resources);

// A message box with the application's title, owned by the active window.
AFX_API int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);

// String nID of the current resource module as it is stored, in UTF-16;
// empty when the module has no such string.
AFX_API std::wstring AfxLoadString(UINT nID);

// A resource of a module as it is stored: its bytes and their number; none
// (null, 0) when the module has no resource of that type and name.
struct AfxResourceData {
    const void* data = nullptr;
    DWORD size = 0;
};
AFX_API AfxResourceData AfxGetResourceData(HINSTANCE module, LPCWSTR name, LPCWSTR type);

// Drives the module's application object from its DllMain: InitInstance on
// process attach (a FALSE runs ExitInstance and fails the attach) and
// ExitInstance on process detach, each with the module's state selected.
AFX_API BOOL AfxModuleMain(AFX_MODULE_STATE* state, HINSTANCE module, DWORD reason);

// ---------------------------------------------------------------------------
// Message maps

enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)
    AfxSig_bHELPINFO, // BOOL (HELPINFO*)
    AfxSig_vwii,      // void (UINT, int, int)
    AfxSig_vMINMAXINFO, // void (MINMAXINFO*)
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)
    AfxSig_viDRAWITEM, // void (int, DRAWITEMSTRUCT*)
};

typedef void (CCmdTarget::*AFX_PMSG)();

// A handler of any of the signatures above; nSig says which member is set.
union AFX_PMSG_ANY {
    constexpr AFX_PMSG_ANY(std::nullptr_t) : pfn(nullptr) {}
    constexpr AFX_PMSG_ANY(void (CCmdTarget::*f)()) : pfn(f) {}
    constexpr AFX_PMSG_ANY(void (CCmdTarget::*f)(NMHDR*, LRESULT*)) : pfn_NOTIFY(f) {}
    constexpr AFX_PMSG_ANY(BOOL (CCmdTarget::*f)(HELPINFO*)) : pfn_HELPINFO(f) {}
    constexpr AFX_PMSG_ANY(void (CCmdTarget::*f)(UINT, int, int)) : pfn_SIZE(f) {}
    constexpr AFX_PMSG_ANY(void (CCmdTarget::*f)(MINMAXINFO*)) : pfn_MINMAXINFO(f) {}
    constexpr AFX_PMSG_ANY(LRESULT (CCmdTarget::*f)(WPARAM, LPARAM)) : pfn_MESSAGE(f) {}
    constexpr AFX_PMSG_ANY(void (CCmdTarget::*f)(int, DRAWITEMSTRUCT*)) : pfn_DRAWITEM(f) {}

    AFX_PMSG pfn;
    void (CCmdTarget::*pfn_NOTIFY)(NMHDR*, LRESULT*);
    BOOL (CCmdTarget::*pfn_HELPINFO)(HELPINFO*);
    void (CCmdTarget::*pfn_SIZE)(UINT, int, int);
    void (CCmdTarget::*pfn_MINMAXINFO)(MINMAXINFO*);
    LRESULT (CCmdTarget::*pfn_MESSAGE)(WPARAM, LPARAM);
    void (CCmdTarget::*pfn_DRAWITEM)(int, DRAWITEMSTRUCT*);
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message
    UINT nCode;    // notification code, for WM_COMMAND and WM_NOTIFY
    UINT nID;      // control id, for WM_COMMAND and WM_NOTIFY
    AfxSig nSig;
    AFX_PMSG_ANY handler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                                         \
public:                                                                                                               \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                     \
    const AFX_MSGMAP* GetMessageMap() const override;                                                                 \
                                                                                                                      \
private:                                                                                                              \
    static const AFX_MSGMAP_ENTRY messageEntries[];                                                                   \
    static const AFX_MSGMAP messageMap;

// The map and its link to the base class's map are static data, linked when
// the module loads.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap() { return &theClass::messageMap; }                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                 \
    const AFX_MSGMAP theClass::messageMap = {&baseClass::GetThisMessageMap, &theClass::messageEntries[0]};            \
    const AFX_MSGMAP_ENTRY theClass::messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                             \
    { 0, 0, 0, AfxSig_end, nullptr }                                                                                  \
    }                                                                                                                 \
    ;

#define AFX_PMSG_OF(signature, memberFxn) static_cast<signature>(memberFxn)

#define ON_COMMAND(id, memberFxn)                                                                                     \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), AfxSig_vv, AFX_PMSG_OF(void (CCmdTarget::*)(), memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)                                                                                   \
    {WM_COMMAND, EN_CHANGE, static_cast<UINT>(id), AfxSig_vv, AFX_PMSG_OF(void (CCmdTarget::*)(), memberFxn)},
#define ON_MESSAGE(message, memberFxn)                                                                                \
    {message, 0, 0, AfxSig_lwl, AFX_PMSG_OF(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
#define ON_NOTIFY(code, id, memberFxn)                                                                                \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), AfxSig_vNMHDRpl,                                      \
     AFX_PMSG_OF(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_WM_HELPINFO(memberFxn)                                                                                     \
    {WM_HELP, 0, 0, AfxSig_bHELPINFO, AFX_PMSG_OF(BOOL (CCmdTarget::*)(HELPINFO*), memberFxn)},
#define ON_WM_DRAWITEM(memberFxn)                                                                                     \
    {WM_DRAWITEM, 0, 0, AfxSig_viDRAWITEM, AFX_PMSG_OF(void (CCmdTarget::*)(int, DRAWITEMSTRUCT*), memberFxn)},
#define ON_WM_DESTROY(memberFxn)                                                                                      \
    {WM_DESTROY, 0, 0, AfxSig_vv, AFX_PMSG_OF(void (CCmdTarget::*)(), memberFxn)},
#define ON_WM_SIZE(memberFxn)                                                                                         \
    {WM_SIZE, 0, 0, AfxSig_vwii, AFX_PMSG_OF(void (CCmdTarget::*)(UINT, int, int), memberFxn)},
#define ON_WM_GETMINMAXINFO(memberFxn)                                                                                \
    {WM_GETMINMAXINFO, 0, 0, AfxSig_vMINMAXINFO, AFX_PMSG_OF(void (CCmdTarget::*)(MINMAXINFO*), memberFxn)},

// Base of every class that takes messages through a message map.
class AFX_API CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Looks the message up in this object's map, then in its bases' maps, and
    // calls the first handler that matches. False when none does.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

// ---------------------------------------------------------------------------
// Application object

class AFX_API CWinApp : public CCmdTarget {
public:
    // The default state argument is evaluated in the module that constructs
    // the application, which is the module the application belongs to.
    explicit CWinApp(LPCWSTR pszAppName = nullptr, AFX_MODULE_STATE* moduleState = AfxGetStaticModuleState());
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The application's title: its name, else its module's file name.
    std::wstring GetTitle() const;

    LPCWSTR m_pszAppName;
    AFX_MODULE_STATE* const m_pModuleState;

    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Windows, dialogs and controls

class AFX_API CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    // Wraps an existing window (null for none) without owning it.
    void Attach(HWND window) { m_hWnd = window; }
    // Forgets the window; it lives on.
    HWND Detach();

    void SetRedraw(BOOL redraw) const;
    void GetClientRect(RECT* rect) const;

    HWND m_hWnd = nullptr;
};

// Data exchange between a dialog's controls and its members.
struct CDataExchange {
    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// A modal dialog whose template comes from the current resource module unless
// a resource instance is given.
class AFX_API CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hResourceInstance = nullptr);
    ~CDialog() override;

    // Runs the dialog; an exception raised by a handler ends the dialog and is
    // rethrown here, once the dialog's window is gone.
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // Called once the dialog's window is gone: member controls let go of theirs.
    virtual void PostNcDestroy();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    HINSTANCE m_hResourceInstance;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_hTemplateInstance = nullptr; // where the running dialog's template came from
    std::exception_ptr m_pendingException;

    DECLARE_MESSAGE_MAP()
};

// The platform's list view, spoken to in UTF-16.
class AFX_API CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD dwNewStyle) const;
    int InsertColumn(int nCol, LPCWSTR heading, int nFormat = LVCFMT_LEFT) const;
    int InsertItem(int nItem, LPCWSTR text) const;
    // A sub-item's text; LPSTR_TEXTCALLBACKW asks the parent each time it is shown.
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR text) const;
    BOOL DeleteAllItems() const;
    void SetItemCountEx(int count) const;
    int GetItemCount() const;
    // The rows the list shows whole.
    int GetCountPerPage() const;
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask) const;
    // The item's check box: 1 checked, 0 unchecked, -1 no box (also for a
    // missing item).
    int GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE) const;
    // Every item's check box at once.
    BOOL SetCheckAll(BOOL bCheck) const;
    // The check box that item state bits describe, read as GetCheck reads it.
    static int CheckOfState(UINT state);
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    int HitTest(POINT point) const;
    BOOL GetItemRect(int nItem, RECT* rect, UINT nCode) const;
    // A width beyond what the message carries (32,767) is taken as that.
    BOOL SetColumnWidth(int nCol, int cx) const;
    int GetColumnWidth(int nCol) const;
    int GetStringWidth(LPCWSTR text) const;
    // Shows the sort arrow in one column's header (ascending or descending)
    // and none in the others.
    void SetSortArrow(int nCol, bool ascending) const;
};
