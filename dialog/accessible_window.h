#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CWindowObject;

// What a window of the dialog tells assistive technology beyond what the
// system reads of it: the preview band, which the dialog draws, so that by
// itself a screen reader finds nothing in it, and the list, whose items say
// what the dialog knows of their faces. Its WM_GETOBJECT is answered with an
// object whose name, value and description of itself or of a child are read
// from the dialog when a client asks; a text the dialog leaves empty, and
// everything else, is the system's standard object's. A client may keep the
// object after the window has gone; it then answers every call with
// CO_E_OBJNOTCONNECTED.
class CAccessibleWindow {
public:
    struct Texts {
        std::wstring name;
        std::wstring value;
        std::wstring description;
    };
    // The texts of the window itself (CHILDID_SELF) or of a child.
    using TextSource = std::function<Texts(LONG child)>;

    CAccessibleWindow() = default;
    CAccessibleWindow(const CAccessibleWindow&) = delete;
    CAccessibleWindow& operator=(const CAccessibleWindow&) = delete;
    ~CAccessibleWindow();

    // Answers the window's requests from now until it is destroyed; nothing
    // for no window.
    void Attach(HWND window, TextSource texts);

    // Tells clients that the window shows another thing, or another value.
    void Changed() const;
    void ValueChanged() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The object for a client, made when first asked for; null when the
    // standard object cannot be had.
    CWindowObject* Object();
    void Detach();

    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr; // the window's own procedure
    TextSource m_texts;
    CWindowObject* m_object = nullptr; // one reference, until the window goes
};
