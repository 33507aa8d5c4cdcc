#pragma once

#include "font_list.h"
#include "message_box.h"

#include <windows.h>

#include <string>

// The open font selection dialog as its driver thread sees it. Buttons that
// open a box of their own are posted, everything else is sent, so each call
// returns once the dialog has handled it.
class DialogWindow {
public:
    DialogWindow(HWND dialog, DWORD thread) : m_dialog(dialog), m_thread(thread) {}

    HWND Handle() const { return m_dialog; }
    bool IsOpen() const { return ::IsWindow(m_dialog) != FALSE; }

    HWND Control(int id) const { return ::GetDlgItem(m_dialog, id); } // null when missing
    RECT ControlRect(int id) const; // in the dialog's client coordinates
    FontList List() const;          // throws DriverFailure when the dialog has none
    // A control's text as the window holds it, and as the ANSI code page spells it.
    std::wstring WideText(int id) const;
    std::string Text(int id) const;
    // Sets a control's text as typing would: an edit box reports the change.
    void SetText(int id, const std::string& text) const;
    void SetText(int id, const std::wstring& text) const;
    // Gives a control the focus and presses a key on the real keyboard input.
    void PressKeyOn(int id, WORD key) const;
    // Presses Alt with `letter`, as a user does for an access key.
    void PressAccessKey(WORD letter) const;
    // Opens a control's context menu as the keyboard does and chooses the
    // command of access key `key`.
    void ChooseFromContextMenu(int id, WORD key) const;
    // The control that has the keyboard focus; 0 for none of the dialog's.
    int FocusedControl() const;

    // Clicks a button that opens nothing.
    void Press(int id) const;
    // Clicks a button whose handler asks a question: returns at once.
    void PressLater(int id) const;
    // Clicks OK or Cancel and waits until the dialog has gone.
    void Close(int id) const;

    // The question the dialog asks.
    MessageBoxWindow WaitForMessageBox() const;
    // Returns once the dialog's thread has finished what it was doing.
    void Sync() const;
    // Returns once every face is listed: the count line no longer says faces
    // are being found. At once for a template without a list or count line.
    void WaitForEveryFace() const;

private:
    static void PressKey(WORD key); // on the real keyboard input, to the focus
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_dialog;
    DWORD m_thread;
};
