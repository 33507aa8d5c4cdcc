#define AFX_BUILD
#include "afx.h"

#include "dialog_help_ids.h"

#include <utility>

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hResourceInstance)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_hResourceInstance(hResourceInstance)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    m_hTemplateInstance = m_hResourceInstance ? m_hResourceInstance : AfxGetResourceHandle();
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    m_pendingException = nullptr;
    // A Unicode dialog: its controls take their texts, and its list sends its
    // notifications, in UTF-16, whatever the ANSI code page can spell.
    INT_PTR result = ::DialogBoxParamW(m_hTemplateInstance, MAKEINTRESOURCEW(m_nIDTemplate), parent,
                                       &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (m_pendingException)
        std::rethrow_exception(std::exchange(m_pendingException, nullptr));
    return result;
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange dx{FALSE, this};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    CDataExchange dx{TRUE, this};
    DoDataExchange(&dx);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::PostNcDestroy() {}

// No exception may unwind through the system's dialog manager: the first one
// ends the dialog and waits in m_pendingException for DoModal.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    INT_PTR handled = FALSE;
    try {
        if (!dialog->m_pendingException)
            handled = dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        dialog->m_pendingException = std::current_exception();
        ::EndDialog(window, -1);
        handled = TRUE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->Detach();
        dialog->PostNcDestroy();
    }
    return handled;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ApplyTemplateHelpIds(m_hWnd, m_hTemplateInstance, m_nIDTemplate);
        return OnInitDialog();
    }
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        return FALSE;
    // What the sender of the message receives. Writing it can cost a round
    // trip to the window server, so an unchanged result is not written again:
    // thousands of list notifications each answer 0.
    if (::GetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT) != result)
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()
