#include "dialog_probe.h"

#include "clock.h"
#include "dialog/control_ids.h"
#include "list_view.h"

#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr UINT kDialogShown = WM_APP + 1;
constexpr char kHelperClass[] = "GlyphorBenchProbe";

// The dialog manager's window class.
bool IsTopLevelDialog(HWND window)
{
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    return !::GetParent(window) && lstrcmpA(className, "#32770") == 0;
}

} // namespace

DialogProbe* DialogProbe::s_active = nullptr;

DialogProbe::DialogProbe(Ending ending, std::wstring finding) : m_ending(ending), m_finding(std::move(finding))
{
    if (s_active)
        throw std::logic_error("one dialog probe at a time");
    WNDCLASSA helperClass{};
    helperClass.lpfnWndProc = &DialogProbe::HelperProc;
    helperClass.hInstance = ::GetModuleHandleA(nullptr);
    helperClass.lpszClassName = kHelperClass;
    ::RegisterClassA(&helperClass); // fails harmlessly when already registered
    m_helper.reset(::CreateWindowExA(0, kHelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     helperClass.hInstance, nullptr));
    m_hook.reset(::SetWindowsHookExA(WH_CBT, &DialogProbe::OnTrainingEvent, nullptr, ::GetCurrentThreadId()));
    if (!m_helper || !m_hook)
        throw std::runtime_error("cannot watch the dialog, error " + std::to_string(::GetLastError()));
    s_active = this;
}

DialogProbe::~DialogProbe()
{
    s_active = nullptr;
}

void DialogProbe::Start()
{
    m_start = SecondsNow();
}

LRESULT CALLBACK DialogProbe::OnTrainingEvent(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND created = reinterpret_cast<HWND>(wParam);
    DialogProbe* probe = s_active;
    if (code == HCBT_CREATEWND && probe && !probe->m_dialogProc && IsTopLevelDialog(created))
        probe->m_dialogProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(created, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogProbe::DialogSubclass)));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DialogProbe::HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDialogShown && s_active) {
        s_active->OnDialogShown(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK DialogProbe::DialogSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogProbe& probe = *s_active;
    if (message == WM_SHOWWINDOW && wParam && !probe.m_noted) {
        probe.m_noted = true;
        ::PostMessageA(probe.m_helper.get(), kDialogShown, reinterpret_cast<WPARAM>(window), 0);
    } else if (message == WM_WINDOWPOSCHANGING && !probe.m_hideRequested &&
               (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)) {
        probe.m_hideRequested = SecondsNow();
    }
    return ::CallWindowProcA(probe.m_dialogProc, window, message, wParam, lParam);
}

void DialogProbe::OnDialogShown(HWND dialog)
{
    try {
        Observe(dialog);
    } catch (...) {
        m_failure = std::current_exception();
    }
    m_commitSeconds = TimeCommand(dialog, m_ending == Ending::Ok && !m_failure ? IDOK : IDCANCEL);
}

void DialogProbe::Observe(HWND dialog)
{
    m_hook.reset();
    const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_shown = ::IsWindowVisible(dialog) ? SecondsNow() : 0;
    AwaitCompleteList(dialog);
    m_complete = SecondsNow();
    m_itemTexts = ::ItemTexts(list);
    m_checkedCount = CountChecked(list);
    if (m_whileOpen) {
        Settle();
        m_whileOpen(dialog);
        Settle();
    }
}

void DialogProbe::AwaitCompleteList(HWND dialog) const
{
    constexpr double kPatienceSeconds = 120;
    const double until = SecondsNow() + kPatienceSeconds;
    wchar_t line[256];
    for (;;) {
        ::GetDlgItemTextW(dialog, IDC_FONT_COUNT, line, static_cast<int>(std::size(line)));
        if (m_finding.empty() || std::wstring(line).rfind(m_finding, 0) != 0)
            return;
        if (SecondsNow() > until)
            throw std::runtime_error("the list was not complete after " + std::to_string(kPatienceSeconds) + " s");
        MSG message;
        if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::WaitMessage();
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void DialogProbe::RethrowFailure() const
{
    if (m_failure)
        std::rethrow_exception(m_failure);
}

void DialogProbe::Settle()
{
    constexpr double kSettleSeconds = 0.25;
    const double until = SecondsNow() + kSettleSeconds;
    while (SecondsNow() < until) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(5);
    }
}

double DialogProbe::TimeCommand(HWND dialog, int command) const
{
    const double start = SecondsNow();
    ClickButton(dialog, command);
    return (m_hideRequested ? m_hideRequested : SecondsNow()) - start;
}

void ClickButton(HWND dialog, int button)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}
