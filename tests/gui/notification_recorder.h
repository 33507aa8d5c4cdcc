#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

// Records, on the dialog's thread, each notification the font list sends the
// dialog, with the check box of the item it concerns as it stands when the
// dialog receives it. Lets a test see whether the list toggles a check box
// before or after it notifies. One recorder at a time.
class NotificationRecorder {
public:
    struct Event {
        int code;        // NM_CLICK, NM_DBLCLK, LVN_KEYDOWN or LVN_ITEMCHANGED
        int item;        // the clicked, focused or changed item
        UINT stateImage; // that item's check box at that moment
    };

    NotificationRecorder(DWORD dialogThread, HWND list);
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;
    ~NotificationRecorder();

    std::vector<Event> Take();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Record(const NMHDR& header);

    HWND m_list;
    HHOOK m_hook;
    std::mutex m_mutex;
    std::vector<Event> m_events;
};
