#include "dialog_session.h"

#include "driver_failure.h"
#include "window_search.h"

#include "dialog/control_ids.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Ends whatever the dialog's thread still shows: first a question, then the
// dialog itself, until the dialog entry has returned.
void CloseEverything(DWORD thread, const std::atomic<bool>& returned)
{
    WaitUntil(
        [&] {
            if (returned)
                return true;
            if (HWND window = FindDialogWindow(::GetCurrentProcessId(), thread, nullptr)) {
                const bool isDialog = FindFontDialog(::GetCurrentProcessId(), thread) == window;
                ::PostMessageA(window, WM_COMMAND, isDialog ? IDCANCEL : IDNO, 0);
            }
            ::Sleep(50);
            return returned.load();
        },
        kWindowTimeoutMs);
}

} // namespace

int RunDialogSession(const GlyphorLibrary& glyphor, const std::function<void(const DialogWindow&)>& script,
                      ScriptStart start)
{
    const DWORD thread = ::GetCurrentThreadId();
    std::atomic<bool> returned{false};
    std::thread driver([&] {
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                dialog = FindFontDialog(::GetCurrentProcessId(), thread);
                return dialog || returned;
            },
            kWindowTimeoutMs);
        if (dialog) {
            try {
                DialogWindow window(dialog, thread);
                if (start == ScriptStart::EveryFaceListed) {
                    window.Sync();
                    window.WaitForEveryFace();
                }
                script(window);
            } catch (const std::exception& failure) {
                ADD_FAILURE() << "dialog script stopped: " << failure.what();
            }
        }
        CloseEverything(thread, returned);
    });
    const int result = glyphor.runGlyphorDialog();
    returned = true;
    driver.join();
    return result;
}

int RunDialogAndClose(const GlyphorLibrary& glyphor, int button)
{
    return RunDialogSession(glyphor, [button](const DialogWindow& dialog) { dialog.Close(button); });
}

std::map<std::string, bool> CheckStatesOnOpening(const GlyphorLibrary& glyphor)
{
    std::map<std::string, bool> states;
    RunDialogSession(glyphor, [&states](const DialogWindow& dialog) {
        states = dialog.List().CheckStates();
        dialog.Close(IDCANCEL);
    });
    return states;
}
