#pragma once

#include <windows.h>

#include <string>

// A message box on the screen, of this process or another, read and answered
// through its controls.
class MessageBoxWindow {
public:
    explicit MessageBoxWindow(HWND box) : m_box(box) {}

    HWND Handle() const { return m_box; }
    std::wstring Caption() const;
    std::wstring Text() const;
    bool HasButton(int id) const;
    HICON Icon() const; // null when the box shows none
    int DefaultButton() const; // 0 when it has none

    // Clicks the button and waits until the box has gone.
    void Answer(int id) const;

private:
    HWND m_box;
};

// Waits for a message box of the process (and thread, unless 0) other than
// `except`; throws DriverFailure when none comes.
MessageBoxWindow WaitForMessageBox(DWORD processId, DWORD threadId, HWND except);
