#pragma once

#include "accessible_window.h"

#include "common/unique_handle.h"

#include <oleacc.h>

using UniqueAccessible = UniqueHandle<IAccessible*, &ReleaseInterface<IAccessible>>;

// The object a client is given for a window of the dialog: the system's
// standard object, with the dialog's texts and states of the window and its
// children. Its calls may come on any thread; each reads the dialog's texts
// on the window's thread, where the dialog changes them.
class CWindowObject : public IAccessible {
public:
    // The window goes: nothing is read from the dialog any more, and every
    // call fails with CO_E_OBJNOTCONNECTED. On the window's thread, once
    // every call in progress has ended.
    virtual void Disconnect() = 0;
    // Reads the texts a call on another thread waits for. On the window's
    // thread, for TextRequestMessage.
    virtual void AnswerTextRequest() = 0;

protected:
    virtual ~CWindowObject() = default;
};

// The object for `window`, with one reference; null when memory ran out.
CWindowObject* MakeWindowObject(HWND window, UniqueAccessible standard, CAccessibleWindow::TextSource texts);

// The message with which a call on another thread asks the window's
// procedure to answer its object's text request. The library's own: no
// control takes it for one of its own.
UINT TextRequestMessage();
