#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

// Watches the font selection dialog that the calling thread is about to run
// modally, and closes it as soon as it is open. A computer-based-training
// hook (called when windows are made, not for every message, so it does not
// slow the dialog down) subclasses the dialog's window as it is created.
//
// Open: from Start() until the dialog is on screen and painted, answering
// input. The dialog manager shows the dialog when its modal loop first runs
// idle. The subclass sees WM_SHOWWINDOW and posts a note to a helper window,
// which the dialog's own loop delivers once the dialog is shown. The helper
// then paints what is still invalid (RDW_UPDATENOW, as the loop would do
// next) and takes the time.
//
// Complete: from Start() until the list holds every face: the dialog's loop
// runs on until the count line no longer begins as it does while faces are
// still being found. A dialog that fills its list before it shows is
// complete when it opens.
//
// Commit: the registry is slower while a new window is being taken in by
// Wine's other processes, so the probe first lets the open dialog settle, then
// does the work given to WhileOpen (floors and other timings), lets the
// registry settle after it too, then ends the dialog. When it
// ends the dialog with OK, it sends the OK button's
// WM_COMMAND to the dialog and times it until the dialog asks to be hidden
// (the WM_WINDOWPOSCHANGING of EndDialog): that is the dialog's OnOK, the
// commit of every item. The hiding itself is left out: on a display without
// a window manager it waits two seconds for the window to be withdrawn,
// whatever the dialog did.
class DialogProbe {
public:
    enum class Ending { Cancel, Ok };

    // `finding`: how the count line begins while faces are being found.
    DialogProbe(Ending ending, std::wstring finding);
    DialogProbe(const DialogProbe&) = delete;
    DialogProbe& operator=(const DialogProbe&) = delete;
    ~DialogProbe();

    // Call right before the dialog is run.
    void Start();

    // Work done while the dialog is open and has settled, right before the
    // dialog is ended. What it throws ends the dialog with Cancel instead and
    // is thrown again by RethrowFailure.
    void WhileOpen(std::function<void(HWND dialog)> work) { m_whileOpen = std::move(work); }

    void RethrowFailure() const;
    bool Opened() const { return m_shown != 0; }
    double OpenSeconds() const { return m_shown - m_start; }
    double CompleteSeconds() const { return m_complete - m_start; }
    double CommitSeconds() const { return m_commitSeconds; }
    // Of the list when the dialog was open: its items' texts in order, and
    // how many were checked.
    const std::vector<std::string>& ItemTexts() const { return m_itemTexts; }
    int CheckedCount() const { return m_checkedCount; }

    // Delivers the thread's messages for a quarter of a second, while Wine's
    // other processes finish with what the dialog just did.
    static void Settle();

private:
    static LRESULT CALLBACK OnTrainingEvent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDialogShown(HWND dialog);
    void Observe(HWND dialog);
    void AwaitCompleteList(HWND dialog) const;
    double TimeCommand(HWND dialog, int command) const;

    static DialogProbe* s_active;

    Ending m_ending;
    std::wstring m_finding;
    UniqueHandle<HHOOK, &::UnhookWindowsHookEx> m_hook;
    UniqueHWnd m_helper;
    bool m_noted = false;
    double m_start = 0;
    double m_shown = 0;
    double m_complete = 0;
    double m_commitSeconds = 0;
    std::function<void(HWND)> m_whileOpen;
    std::exception_ptr m_failure;
    WNDPROC m_dialogProc = nullptr; // the dialog's own, under the subclass
    double m_hideRequested = 0;
    std::vector<std::string> m_itemTexts;
    int m_checkedCount = -1;
};

// Sends the dialog the BN_CLICKED of one of its buttons, as a click does.
void ClickButton(HWND dialog, int button);
