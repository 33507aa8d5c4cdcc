#include "list_operations.h"

#include "clock.h"
#include "dialog/control_ids.h"
#include "dialog_probe.h"
#include "list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Matches one generated face in five at 5,000 faces (the families 1000 to
// 1249), as a few typed letters do.
constexpr char kNarrowingText[] = "family 1";
constexpr double kNarrowingPatienceSeconds = 10;

std::string Capitals(std::string text)
{
    ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// From a settled dialog until it has painted what `work` changed.
template <typename Work>
double SecondsUntilPainted(HWND dialog, Work work)
{
    DialogProbe::Settle();
    const double start = SecondsNow();
    work();
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return SecondsNow() - start;
}

void ExpectChecked(HWND list, int expected, const char* after)
{
    const int checked = CountChecked(list);
    if (checked != expected)
        throw std::runtime_error(std::string(after) + " left " + std::to_string(checked) + " of " +
                                 std::to_string(ItemCount(list)) + " items checked, not " + std::to_string(expected));
}

// Delivers messages until the list holds `count` items, for a dialog that
// refills its list later than the edit's notification.
void AwaitItemCount(HWND list, int count, const char* after)
{
    const double until = SecondsNow() + kNarrowingPatienceSeconds;
    while (ItemCount(list) != count && SecondsNow() < until) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    if (ItemCount(list) != count)
        throw std::runtime_error(std::string(after) + " the list holds " + std::to_string(ItemCount(list)) +
                                 " items, not " + std::to_string(count));
}

// Times checking, then clearing, every box of a list whose boxes are all
// clear, `setEvery` doing it; leaves every box clear.
template <typename SetEvery>
void TimeEveryBox(HWND dialog, SetEvery setEvery, const char* doing, double& checking, double& clearing)
{
    const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
    const int items = ItemCount(list);
    SetCheck(list, -1, false);
    checking = SecondsUntilPainted(dialog, [&] { setEvery(true); });
    ExpectChecked(list, items, (std::string("Checking every box ") + doing).c_str());
    clearing = SecondsUntilPainted(dialog, [&] { setEvery(false); });
    ExpectChecked(list, 0, (std::string("Clearing every box ") + doing).c_str());
}

} // namespace

void TimeCheckAllAndClearAll(HWND dialog, ListOperationTimes& times)
{
    TimeEveryBox(
        dialog, [dialog](bool checked) { ClickButton(dialog, checked ? IDC_CHECK_ALL_BTN : IDC_CLEAR_ALL_BTN); },
        "with the buttons", times.checkAll, times.clearAll);
}

void TimeEveryBoxDirectly(HWND dialog, ListOperationTimes& times)
{
    const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
    TimeEveryBox(
        dialog, [list](bool checked) { SetCheck(list, -1, checked); }, "with one list message", times.checkAllFloor,
        times.clearAllFloor);
}

namespace {

std::vector<std::string> Capitals(const std::vector<std::string>& texts)
{
    std::vector<std::string> capitals;
    capitals.reserve(texts.size());
    for (const std::string& text : texts)
        capitals.push_back(Capitals(text));
    return capitals;
}

int CountMatching(const std::vector<std::string>& capitals, const std::string& wanted)
{
    int matching = 0;
    for (const std::string& name : capitals)
        matching += name.find(wanted) != std::string::npos ? 1 : 0;
    return matching;
}

// Gives a control no id while it lives, and its id back.
class UnheardList {
public:
    explicit UnheardList(HWND list) : m_list(list), m_id(::SetWindowLongPtrA(list, GWLP_ID, 0)) {}
    ~UnheardList() { ::SetWindowLongPtrA(m_list, GWLP_ID, m_id); }
    UnheardList(const UnheardList&) = delete;
    UnheardList& operator=(const UnheardList&) = delete;

private:
    HWND m_list;
    LONG_PTR m_id;
};

} // namespace

void TimeNarrowing(HWND dialog, ListOperationTimes& times)
{
    const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
    const HWND findBox = ::GetDlgItem(dialog, IDC_FIND_BOX);
    const int items = ItemCount(list);
    const int checked = CountChecked(list);
    const std::string wanted = Capitals(kNarrowingText);
    const int matching = CountMatching(Capitals(ItemTexts(list)), wanted);
    const std::string narrowed = std::string("Typing \"") + kNarrowingText + "\" in the find box:";

    times.narrowing = SecondsUntilPainted(dialog, [&] {
        ::SendMessageA(findBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kNarrowingText));
        AwaitItemCount(list, matching, narrowed.c_str());
    });
    ::SendMessageA(findBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    AwaitItemCount(list, items, "Emptying the find box:");
    ExpectChecked(list, checked, "Narrowing and emptying the find box");

    // The floor starts from the same full list, and keeps its checks and the
    // texts of its other columns: the same list the dialog shows.
    const std::vector<std::string> texts = ItemTexts(list);
    const std::vector<std::string> allows = ItemTexts(list, 1), licences = ItemTexts(list, 2);
    const std::vector<std::string> capitals = Capitals(texts);
    const std::vector<bool> checks = ItemChecks(list);
    // The floor's rows are not the dialog's: under another id, the list's
    // notifications of them pass the dialog by, which would otherwise take
    // each check the floor sets for that of the face at its place.
    const UnheardList unheard(list);
    times.narrowingFloor = SecondsUntilPainted(dialog, [&] {
        ListRedrawSuspended quiet(list);
        ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        int shown = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            if (capitals[i].find(wanted) == std::string::npos)
                continue;
            InsertItem(list, shown, texts[i].c_str(), checks[i]);
            SetItemText(list, shown, 1, allows[i].c_str());
            SetItemText(list, shown++, 2, licences[i].c_str());
        }
    });
    AwaitItemCount(list, matching, "Narrowing directly:");
}

void TurnFirstCheck(HWND dialog)
{
    const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
    SetCheck(list, 0, !ItemChecks(list).front());
}

std::vector<double> TimeFocusSteps(HWND dialog, const std::string& first, int steps)
{
    const HWND list = ::GetDlgItem(dialog, IDC_FONT_LIST);
    const std::vector<std::string> texts = ItemTexts(list);
    const auto start = std::find_if(texts.begin(), texts.end(),
                                    [&](const std::string& text) { return text.rfind(first, 0) == 0; });
    if (start == texts.end())
        throw std::runtime_error("no face begins with \"" + first + "\"");
    const int item = static_cast<int>(start - texts.begin());
    steps = std::min(steps, static_cast<int>(texts.size()) - 1 - item);
    LVITEMA focus{};
    focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
    ::SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&focus));
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<double> seconds;
    for (int step = 0; step < steps; ++step) {
        const double begin = SecondsNow();
        ::SendMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
        ::SendMessageA(list, WM_KEYUP, VK_DOWN, 1 | (3u << 30));
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        seconds.push_back(SecondsNow() - begin);
    }
    const DWORD after = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (after > objects)
        throw std::runtime_error("moving the focus " + std::to_string(steps) + " times left " +
                                 std::to_string(after - objects) + " more GDI objects");
    return seconds;
}
