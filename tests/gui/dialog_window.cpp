#include "dialog_window.h"

#include "driver_failure.h"
#include "window_search.h"

#include "dialog/control_ids.h"

#include <string>

LRESULT DialogWindow::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kWindowTimeoutMs, &result))
        throw DriverFailure("the dialog did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

RECT DialogWindow::ControlRect(int id) const
{
    RECT rect{};
    HWND control = Control(id);
    if (!control)
        throw DriverFailure("the dialog has no control " + std::to_string(id));
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

FontList DialogWindow::List() const
{
    HWND list = Control(IDC_FONT_LIST);
    if (!list)
        throw DriverFailure("the dialog has no font list");
    return FontList(list);
}

void DialogWindow::Press(int id) const
{
    HWND button = Control(id);
    if (!button)
        throw DriverFailure("the dialog has no button " + std::to_string(id));
    Send(button, BM_CLICK, 0, 0);
}

void DialogWindow::PressLater(int id) const
{
    HWND button = Control(id);
    if (!button)
        throw DriverFailure("the dialog has no button " + std::to_string(id));
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

void DialogWindow::Close(int id) const
{
    Press(id);
    if (!WaitUntil([this] { return !IsOpen(); }, kWindowTimeoutMs))
        throw DriverFailure("the dialog stayed open after button " + std::to_string(id));
}

MessageBoxWindow DialogWindow::WaitForMessageBox() const
{
    return ::WaitForMessageBox(::GetCurrentProcessId(), m_thread, m_dialog);
}

void DialogWindow::Sync() const
{
    Send(m_dialog, WM_NULL, 0, 0);
}
