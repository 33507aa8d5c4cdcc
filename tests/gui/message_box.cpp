#include "message_box.h"

#include "driver_failure.h"
#include "window_search.h"
#include "common/window_text.h"

namespace {

struct StaticQuery {
    bool wantIcon;
    HWND found;
};

BOOL CALLBACK MatchStatic(HWND child, LPARAM parameter)
{
    auto* query = reinterpret_cast<StaticQuery*>(parameter);
    char windowClass[16] = {};
    ::GetClassNameA(child, windowClass, sizeof windowClass);
    if (lstrcmpiA(windowClass, "Static") != 0)
        return TRUE;
    const bool icon = (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (icon != query->wantIcon)
        return TRUE;
    query->found = child;
    return FALSE;
}

HWND FindStatic(HWND box, bool icon)
{
    StaticQuery query{icon, nullptr};
    ::EnumChildWindows(box, &MatchStatic, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

} // namespace

std::wstring MessageBoxWindow::Caption() const
{
    return WindowText(m_box);
}

std::wstring MessageBoxWindow::Text() const
{
    HWND text = FindStatic(m_box, false);
    return text ? WindowText(text) : std::wstring();
}

bool MessageBoxWindow::HasButton(int id) const
{
    return ::GetDlgItem(m_box, id) != nullptr;
}

HICON MessageBoxWindow::Icon() const
{
    HWND icon = FindStatic(m_box, true);
    return icon ? reinterpret_cast<HICON>(::SendMessageA(icon, STM_GETICON, 0, 0)) : nullptr;
}

int MessageBoxWindow::DefaultButton() const
{
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        const HWND button = ::GetDlgItem(m_box, id);
        if (button && (::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return id;
    }
    return 0;
}

void MessageBoxWindow::Answer(int id) const
{
    HWND button = ::GetDlgItem(m_box, id);
    if (!button)
        throw DriverFailure("the message box has no button " + std::to_string(id));
    ::PostMessageA(button, BM_CLICK, 0, 0);
    if (!WaitUntil([this] { return !::IsWindow(m_box); }, kWindowTimeoutMs))
        throw DriverFailure("the message box stayed open after button " + std::to_string(id));
}

MessageBoxWindow WaitForMessageBox(DWORD processId, DWORD threadId, HWND except)
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindDialogWindow(processId, threadId, except)) != nullptr; },
              kWindowTimeoutMs);
    if (!box)
        throw DriverFailure("no message box appeared");
    return MessageBoxWindow(box);
}
