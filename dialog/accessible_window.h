#pragma once

#include "common/thread_apartment.h"

#include <windows.h>

#include <functional>
#include <string>

class CWindowObject;

// What a window of the dialog tells assistive technology beyond what the
// system reads of it: the preview band, which the dialog draws, so that by
// itself a screen reader finds nothing in it, and the list, whose items say
// what the dialog knows of their faces. Its WM_GETOBJECT is answered with an
// object whose name, value, description and state of itself or of a child
// are read from the dialog, on the window's thread, whichever thread the
// client's call comes on; a text the dialog leaves empty, and everything
// else, is the system's standard object's.
//
// A client may keep the object after the window has gone, and after the
// library has been unloaded: when the window goes, the object is
// disconnected from COM's clients, whose calls then fail with
// RPC_E_DISCONNECTED or CO_E_OBJNOTCONNECTED and never reach the library.
// Only a client that holds the object itself, in the window's own
// apartment, where COM cannot disconnect it, keeps the library loaded for
// the rest of the process, so that its calls, which answer
// CO_E_OBJNOTCONNECTED, still find the code.
//
// The window is found in a table of the library's own, not in its user
// data, which stays the host's.
class CAccessibleWindow {
public:
    struct Texts {
        std::wstring name;
        std::wstring value;
        std::wstring description;
        LONG state = 0; // STATE_SYSTEM_ flags the dialog adds to the system's
    };
    // The texts of the window itself (CHILDID_SELF) or of a child, asked on
    // the window's thread.
    using TextSource = std::function<Texts(LONG child)>;

    CAccessibleWindow() = default;
    CAccessibleWindow(const CAccessibleWindow&) = delete;
    CAccessibleWindow& operator=(const CAccessibleWindow&) = delete;
    ~CAccessibleWindow();

    // Answers the window's requests from now until it is destroyed; nothing
    // for no window, or one that is attached already. On the window's thread.
    void Attach(HWND window, TextSource texts);

    // Tells clients that the window shows another thing (name, value and
    // description), or another value, or another description.
    void Changed() const;
    void ValueChanged() const;
    void DescriptionChanged() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The object for a client, made when first asked for; null when the
    // standard object cannot be had.
    CWindowObject* Object();
    // The object for a client as the window's answer to WM_GETOBJECT; 0 when
    // it cannot be given.
    LRESULT Answer(WPARAM wParam);
    // On the window's thread, as it goes or this object does.
    void Detach();

    HWND m_window = nullptr;
    TextSource m_texts;
    CWindowObject* m_object = nullptr; // one reference, until the window goes
    ThreadApartment m_apartment;       // entered for the object where the thread had none
};
