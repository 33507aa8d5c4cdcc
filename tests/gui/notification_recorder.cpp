#include "notification_recorder.h"

#include "framework/afx.h"

#include <commctrl.h>

#include <stdexcept>

namespace {
NotificationRecorder* g_recorder = nullptr;
}

NotificationRecorder::NotificationRecorder(DWORD dialogThread, HWND list) : m_list(list)
{
    m_events.reserve(64);
    g_recorder = this;
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &NotificationRecorder::Hook, nullptr, dialogThread);
    if (!m_hook) {
        g_recorder = nullptr;
        throw std::runtime_error("cannot hook the dialog's thread");
    }
}

NotificationRecorder::~NotificationRecorder()
{
    ::UnhookWindowsHookEx(m_hook);
    g_recorder = nullptr;
}

std::vector<NotificationRecorder::Event> NotificationRecorder::Take()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Event> taken = m_events;
    m_events.clear(); // keeps the capacity the hook writes into
    return taken;
}

LRESULT CALLBACK NotificationRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_recorder && message->message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message->lParam);
        if (header->hwndFrom == g_recorder->m_list)
            g_recorder->Record(*header);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void NotificationRecorder::Record(const NMHDR& header)
{
    const int code = static_cast<int>(header.code);
    int item = -1;
    if (code == static_cast<int>(NM_CLICK) || code == static_cast<int>(NM_DBLCLK))
        item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
    else if (code == static_cast<int>(LVN_KEYDOWN))
        item = static_cast<int>(::SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    else if (code == static_cast<int>(LVN_ITEMCHANGED) &&
             (reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE) &&
             ((reinterpret_cast<const NMLISTVIEW&>(header).uNewState ^
               reinterpret_cast<const NMLISTVIEW&>(header).uOldState) &
              LVIS_STATEIMAGEMASK))
        item = reinterpret_cast<const NMLISTVIEW&>(header).iItem;
    else
        return;
    CListCtrl list;
    list.Attach(m_list);
    const UINT stateImage = static_cast<UINT>(list.GetCheck(item) + 1);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_events.size() < m_events.capacity()) // never allocates on the dialog's thread
        m_events.push_back({code, item, stateImage});
}
