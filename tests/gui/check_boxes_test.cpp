// Check all, clear all, and carrying one item's change to the selection.
#include "dialog_test.h"
#include "driver_failure.h"
#include "notification_recorder.h"
#include "window_search.h"

#include "policy_template.h"
#include "store/policy.h"
#include "tests/support/import_hook.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

// Three faces the tests select together.
struct Trio {
    int first, second, third;
};

Trio PickTrio(const FontList& list)
{
    return {list.Require(kSans), list.Require(kSansBold), list.Require(kPreview)};
}

void SetStates(const FontList& list, const Trio& trio, bool first, bool second, bool third)
{
    list.SetChecked(trio.first, first);
    list.SetChecked(trio.second, second);
    list.SetChecked(trio.third, third);
}

std::vector<bool> States(const FontList& list, const Trio& trio)
{
    return {list.Checked(trio.first), list.Checked(trio.second), list.Checked(trio.third)};
}

// The order the dialog relies on: the list notifies the click, then toggles
// the clicked box itself.
void ClickCheckBoxNotifyingFirst(const FontList& list, int item, int code = NM_CLICK)
{
    const bool before = list.Checked(item);
    list.NotifyClick(list.CheckBoxPoint(item), code);
    list.SetChecked(item, !before);
}

// Whether a click notification at `at` carries to the other selected item:
// the hit item and one other are selected and checked, so a click on the
// hit item's box unchecks the other.
bool ClickCarries(const FontList& list, POINT at)
{
    const int hit = list.HitTest(at);
    if (hit == -1)
        throw DriverFailure("no item under the point");
    const int other = hit == 0 ? 1 : 0;
    list.Select({hit, other}); // no focus: the list would scroll to it
    list.SetChecked(hit, true);
    list.SetChecked(other, true);
    list.NotifyClick(at, NM_CLICK);
    return !list.Checked(other);
}

// Resizes a window until its client area measures width x height; scroll
// bars that come and go with the size are made up for on the next round.
RECT ResizeClient(HWND window, LONG width, LONG height)
{
    RECT client{};
    for (int round = 0; round < 4; ++round) {
        ::GetClientRect(window, &client);
        if (client.right == width && client.bottom == height)
            break;
        RECT frame{};
        ::GetWindowRect(window, &frame);
        ::SetWindowPos(window, nullptr, 0, 0, (frame.right - frame.left) + width - client.right,
                       (frame.bottom - frame.top) + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }
    ::GetClientRect(window, &client);
    return client;
}

// Every face's check box but that of `item`.
std::map<std::string, bool> OthersOf(const FontList& list, int item)
{
    std::map<std::string, bool> states = list.CheckStates();
    states.erase(list.Text(item));
    return states;
}

std::vector<std::string> Describe(const std::vector<NotificationRecorder::Event>& events)
{
    std::vector<std::string> lines;
    for (const auto& event : events)
        lines.push_back("code " + std::to_string(event.code) + " item " + std::to_string(event.item) + " image " +
                        std::to_string(event.stateImage));
    return lines;
}

std::string Expect(int code, int item, UINT image)
{
    return Describe({{code, item, image}}).front();
}

} // namespace

class CheckBoxes : public DialogTest {
protected:
    // Opens the dialog, lets `steps` work on the three test faces, then cancels.
    void WithTrio(const std::function<void(const FontList&, const Trio&)>& steps) const
    {
        GlyphorLibrary glyphor(profile.Path());
        ASSERT_TRUE(RunDialogSession(glyphor, [&steps](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            steps(list, PickTrio(list));
            dialog.Close(IDCANCEL);
        }));
    }
};

TEST_F(CheckBoxes, CheckAllAndClearAllSetEveryItem)
{
    FillStore({kSans}, {kRestricted});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        list.Select({1}, 1);
        for (const auto& [button, checked] : {std::pair{IDC_CLEAR_ALL_BTN, false}, std::pair{IDC_CHECK_ALL_BTN, true},
                                              std::pair{IDC_CLEAR_ALL_BTN, false}}) {
            dialog.Press(button);
            for (const auto& [face, state] : list.CheckStates())
                EXPECT_EQ(state, checked) << face << " after button " << button;
        }
        EXPECT_EQ(list.HitTest(list.CheckBoxPoint(1)), 1);
        EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1) << "the selection stays";
        dialog.Close(IDCANCEL);
    }));
}


// The dialog relies on the list notifying a click or key before it toggles
// the box itself. Wine's list view does so; its hit test finds no item on the
// first pixel columns of the box.
TEST_F(CheckBoxes, ListNotifiesBeforeItToggles)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const int item = list.Require(kSans);
        list.Select({item}, item);
        list.SetChecked(item, true);
        NotificationRecorder recorder(::GetWindowThreadProcessId(dialog.Handle(), nullptr), list.Handle());

        list.Click(list.CheckBoxPoint(item));
        EXPECT_EQ(Describe(recorder.Take()),
                  (std::vector<std::string>{Expect(NM_CLICK, item, 2), Expect(LVN_ITEMCHANGED, item, 1)}));
        list.PressKey(VK_SPACE);
        EXPECT_EQ(Describe(recorder.Take()),
                  (std::vector<std::string>{Expect(LVN_KEYDOWN, item, 1), Expect(LVN_ITEMCHANGED, item, 2)}));
        const POINT box = list.CheckBoxPoint(item);
        ::SendMessageA(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(box.x, box.y));
        ::SendMessageA(list.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
        EXPECT_EQ(Describe(recorder.Take()), std::vector<std::string>{Expect(NM_DBLCLK, item, 2)})
            << "a double-click on the box does not toggle it again";

        const RECT icon = list.IconRect(item);
        EXPECT_EQ(list.HitTest({icon.right - 12, icon.top}), -1) << "icon right edge " << icon.right;
        EXPECT_EQ(list.HitTest({icon.right - 11, icon.top}), item) << "icon right edge " << icon.right;
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(CheckBoxes, ClickOnTheBoxBandCarriesToTheSelection)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const RECT icon = list.IconRect(2);
        const LONG r = icon.right, middle = (icon.top + icon.bottom) / 2;
        EXPECT_TRUE(ClickCarries(list, {r - 1, middle})) << "r = " << r;
        EXPECT_TRUE(ClickCarries(list, {r - 11, middle})) << "r = " << r;
        EXPECT_TRUE(ClickCarries(list, {r - 8, icon.top})) << "top edge " << icon.top;
        EXPECT_TRUE(ClickCarries(list, {r - 8, icon.bottom})) << "bottom edge " << icon.bottom;
        EXPECT_FALSE(ClickCarries(list, {r, middle})) << "r = " << r;
        EXPECT_FALSE(ClickCarries(list, {r + 40, middle})) << "on the text";
        // r - 16 lies left of the client area here, where the hit test finds
        // no item: neither it nor r - 17 reaches the selection.
        EXPECT_EQ(list.HitTest({r - 16, middle}), -1) << "r = " << r;

        // Shorten the list until its bottom edge runs through item 2, so that
        // an item lies under that edge however many fonts are installed.
        RECT original{};
        ::GetWindowRect(list.Handle(), &original);
        const RECT client = ResizeClient(list.Handle(), list.ClientRect().right, middle);
        ASSERT_EQ(client.bottom, middle) << "the list's client height";
        ASSERT_EQ(list.HitTest({r - 8, client.bottom}), 2) << "item 2 reaches below the list";
        EXPECT_FALSE(ClickCarries(list, {r - 8, client.bottom})) << "bottom edge " << client.bottom;
        EXPECT_TRUE(ClickCarries(list, {r - 8, client.bottom - 1})) << "bottom edge " << client.bottom;

        // Back to its height, then narrow it until its right edge runs through the box.
        ::SetWindowPos(list.Handle(), nullptr, 0, 0, original.right - original.left, original.bottom - original.top,
                       SWP_NOMOVE | SWP_NOZORDER);
        const RECT narrow = ResizeClient(list.Handle(), r - 1, list.ClientRect().bottom);
        ASSERT_EQ(narrow.right, r - 1) << "the list's client width";
        EXPECT_FALSE(ClickCarries(list, {r - 1, middle})) << "right edge " << narrow.right;
        EXPECT_TRUE(ClickCarries(list, {r - 2, middle})) << "right edge " << narrow.right;
        dialog.Close(IDCANCEL);
    }));
}

// At the DPI the test is told (GLYPHOR_TEST_DPI, 96 unless set), the check
// boxes are drawn at that DPI's size, and a click carries to the selection
// exactly where the box is drawn, wherever the list finds the row.
TEST_F(CheckBoxes, ClickBandIsTheDrawnBoxAtTheDisplaysDpi)
{
    const char* asked = std::getenv("GLYPHOR_TEST_DPI");
    const int dpi = asked ? std::atoi(asked) : 96;
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [dpi](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const RECT icon = list.IconRect(2);
        const LONG middle = (icon.top + icon.bottom) / 2;
        // The box's edges across the middle of an unselected row, left of
        // the name: what differs from the list's background.
        LONG left = -1, right = -1;
        {
            ::UpdateWindow(list.Handle());
            const UniqueScreenDC dc(::GetDC(list.Handle()));
            for (LONG x = 0; x < icon.left; ++x) {
                if (::GetPixel(dc.get(), x, middle) != ::GetSysColor(COLOR_WINDOW)) {
                    left = left < 0 ? x : left;
                    right = x;
                }
            }
        }
        ASSERT_GE(left, 0) << "no box drawn left of " << icon.left;
        // As the system's menu check marks, at least 13 pixels at 96 DPI.
        EXPECT_EQ(right - left + 1, list.StateImageSize().cx) << "drawn from " << left << " to " << right;
        EXPECT_GE(right - left + 1, ::MulDiv(13, dpi, 96)) << "drawn from " << left << " to " << right;
        for (LONG x = left - 3; x <= right + 3; ++x) {
            if (list.HitTest({x, middle}) == 2) {
                EXPECT_EQ(ClickCarries(list, {x, middle}), x >= left && x <= right)
                    << "x = " << x << ", box drawn from " << left << " to " << right;
            }
        }
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(CheckBoxes, ClickOnOneOfSeveralSelectedBoxesSwitchesThemAll)
{
    WithTrio([](const FontList& list, const Trio& trio) {
        list.Select({trio.first, trio.second, trio.third}, trio.second);
        for (int code : {NM_CLICK, NM_DBLCLK}) {
            SetStates(list, trio, true, false, true);
            ClickCheckBoxNotifyingFirst(list, trio.second, code);
            EXPECT_EQ(States(list, trio), (std::vector<bool>{true, true, true})) << "code " << code;
            ClickCheckBoxNotifyingFirst(list, trio.first, code);
            EXPECT_EQ(States(list, trio), (std::vector<bool>{false, false, false})) << "code " << code;
        }

        // The same with the list's own clicks.
        SetStates(list, trio, true, false, true);
        list.Click(list.CheckBoxPoint(trio.second));
        EXPECT_EQ(States(list, trio), (std::vector<bool>{true, true, true}));
        list.Select({trio.first, trio.second, trio.third}, trio.third);
        list.Click(list.CheckBoxPoint(trio.third));
        EXPECT_EQ(States(list, trio), (std::vector<bool>{false, false, false}));
    });
}

TEST_F(CheckBoxes, ClickOutsideASelectionChangesOnlyTheClickedBox)
{
    WithTrio([](const FontList& list, const Trio& trio) {
        SetStates(list, trio, true, false, true);

        list.Select({trio.first}, trio.first);
        std::map<std::string, bool> others = OthersOf(list, trio.first);
        list.Click(list.CheckBoxPoint(trio.first));
        EXPECT_FALSE(list.Checked(trio.first));
        EXPECT_EQ(OthersOf(list, trio.first), others) << "the only selected item";

        list.Select({trio.first, trio.third}, trio.first);
        others = OthersOf(list, trio.second);
        list.Click(list.CheckBoxPoint(trio.second));
        EXPECT_TRUE(list.Checked(trio.second));
        EXPECT_EQ(OthersOf(list, trio.second), others) << "an item outside the selection";
    });
}

TEST_F(CheckBoxes, SpaceBarGivesTheSelectionTheFocusedItemsNewState)
{
    WithTrio([](const FontList& list, const Trio& trio) {

        SetStates(list, trio, true, false, true);
        list.Select({trio.first, trio.second, trio.third}, trio.second);
        list.PressKey(VK_SPACE);
        EXPECT_EQ(States(list, trio), (std::vector<bool>{true, true, true})) << "focus on the unchecked item";
        list.Select({trio.first, trio.second, trio.third}, trio.first);
        list.PressKey(VK_SPACE);
        EXPECT_EQ(States(list, trio), (std::vector<bool>{false, false, false})) << "focus on a checked item";

        // The focus on an item outside the selection: the selection is cleared.
        SetStates(list, trio, true, false, true);
        list.Select({trio.first, trio.third}, trio.second);
        list.PressKey(VK_SPACE);
        EXPECT_EQ(States(list, trio), (std::vector<bool>{false, true, false}));

        list.Select({trio.second}, trio.second);
        std::map<std::string, bool> others = OthersOf(list, trio.second);
        list.PressKey(VK_SPACE);
        EXPECT_FALSE(list.Checked(trio.second));
        EXPECT_EQ(OthersOf(list, trio.second), others) << "the only selected item";

        SetStates(list, trio, true, false, true);
        list.Select({trio.first, trio.second, trio.third}, trio.second);
        const std::map<std::string, bool> before = list.CheckStates();
        for (WORD key : {WORD('X'), WORD(VK_RETURN), WORD(VK_F2)})
            list.PressKey(key);
        EXPECT_EQ(list.CheckStates(), before) << "keys other than the space bar";
    });
}

// Each policy of the shipped template, written as the editor writes it in
// each hive its class allows, shows in the dialog: a list's face locked with
// the list's state, whatever changes checks (a click or Space on it beeps),
// and not written by OK; the default list's face off after the cold start and
// free; under LockAll every face locked, the buttons that change checks
// disabled, the line saying why.
TEST_F(CheckBoxes, TheTemplatesPoliciesShowInTheDialogAsTheEditorWritesThem)
{
    const struct { const wchar_t* list; const char* face; bool on, locked; } faces[] = {
        {kEmbedNeverList, kSans, false, true}, {kEmbedAlwaysList, kPreview, true, true},
        {kTessellateNeverList, kRestricted, false, true}, {kDefaultNeverEmbedList, kSansBold, false, false},
        {kTessellateAlwaysList, "Glyphor Test Halves East", true, true}};
    const ScopedPolicy policy;
    GlyphorLibrary glyphor(profile.Path());
    for (const ScopedPolicy::Hive hive : {ScopedPolicy::kMachine, ScopedPolicy::kUser}) {
        for (const bool lockAll : {false, true}) {
            policy.Clear();
            DeleteTree(profile.Path());
            profile.CreateGeneral(); // a cold start: the dialog writes the default list
            for (const TemplatePolicy& written : kTemplatePolicies) {
                const DWORD value = lockAll ? written.enabledValue : written.disabledValue;
                if (!(hive == ScopedPolicy::kMachine ? written.machine : written.user))
                    continue;
                if (*written.valueName)
                    policy.Set(hive, written.key, written.valueName, REG_DWORD, &value, sizeof value);
                for (const auto& row : faces) // a list renamed in one place only leaves its face as stored
                    if (ScopedPolicy::ListKey(row.list) == written.key)
                        policy.SetList(hive, written.key, {std::wstring(row.face, row.face + std::strlen(row.face))});
            }
            EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
                const FontList list = dialog.List();
                const auto expectLocked = [&](const char* after) {
                    for (const auto& row : faces)
                        EXPECT_TRUE(!row.locked || list.Checked(row.face) == row.on) << row.face << " after " << after;
                };
                for (const auto& row : faces) {
                    const int item = list.Require(row.face);
                    EXPECT_EQ(list.Checked(item), row.on) << row.face << ", hive " << hive << ", LockAll " << lockAll;
                    list.SetChecked(item, !row.on);
                    EXPECT_EQ(list.Checked(item), row.locked || lockAll ? row.on : !row.on) << row.face << ", " << hive;
                }
                for (const int button : {IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN, IDC_CLEAR_ALL_BTN})
                    EXPECT_EQ(::IsWindowEnabled(dialog.Control(button)) != FALSE, !lockAll) << button;
                if (lockAll) {
                    EXPECT_EQ(dialog.Text(IDC_FONT_COUNT),
                              "Your administrator does not allow these font settings to be changed.");
                    return dialog.Close(IDOK); // which closes as Cancel does
                }
                const BeepCount beeps(glyphor.Module());
                list.Click(list.CheckBoxPoint(list.Require(kSans)));
                list.Select({list.Require(kPreview), list.Require(kSansBold)}, list.Require(kPreview));
                list.PressKey(VK_SPACE);
                EXPECT_TRUE(list.Checked(kSansBold)) << "Space on a locked face carries nothing";
                EXPECT_EQ(beeps.Count(), 2) << "the click and Space on a locked face";
                dialog.Press(IDC_CHECK_ALL_BTN);
                expectLocked("a click, Space and Check all");
                dialog.Press(IDC_CLEAR_ALL_BTN);
                dialog.PressLater(IDC_DEFAULTS_BTN);
                dialog.WaitForMessageBox().Answer(IDYES);
                dialog.Sync();
                expectLocked("Clear all and Defaults");
                const auto states = list.CheckStates();
                const auto checked = std::count_if(states.begin(), states.end(), [](const auto& f) { return f.second; });
                EXPECT_EQ(dialog.Text(IDC_FONT_COUNT), "Fonts checked: " + std::to_string(checked) + " of " +
                                                           std::to_string(states.size()) +
                                                           "; set by your administrator: 4");
                dialog.Close(IDOK);
            }), lockAll ? IDCANCEL : IDOK);
            const StoreContents store = ReadStore(profile);
            EXPECT_TRUE(!store.Embeds(kSans) && !store.Tessellates(kRestricted) && store.Embeds(kSansBold)) << store;
        }
    }
}

// LockAll alone locks every face: while faces are found the count line counts
// each as the administrator's, and each box shown is drawn unlike without it.
TEST_F(CheckBoxes, LockAllAloneLocksAndGreysEveryFace)
{
    GlyphorLibrary glyphor(profile.Path());
    const SlowFonts slow(glyphor.Module(), 10);
    const ScopedPolicy policy;
    std::map<std::string, std::vector<COLORREF>> boxes[2]; // of the rows shown below the first, by LockAll
    for (const DWORD lockAll : {0, 1}) {
        policy.Set(ScopedPolicy::kUser, kPolicyKey, kLockAllValue, REG_DWORD, &lockAll, sizeof lockAll);
        ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            ASSERT_TRUE(WaitUntil([&] { return list.Count() > 0; }, kWindowTimeoutMs));
            const std::string line = dialog.Text(IDC_FONT_COUNT); // "Finding fonts... 8 so far; ..."
            const size_t found = line.find_first_of("0123456789");
            const std::string listed = line.substr(found, line.find(' ', found) - found);
            EXPECT_EQ(line.substr(line.find(" so far")),
                      " so far" + (lockAll ? "; set by your administrator: " + listed : std::string()));
            dialog.WaitForEveryFace();
            const auto shown = ::SendMessageW(list.Handle(), LVM_GETCOUNTPERPAGE, 0, 0);
            const UniqueScreenDC dc(::GetDC(list.Handle()));
            for (int item = 1; item < std::min<int>(static_cast<int>(shown), list.Count()); ++item) {
                const RECT icon = list.IconRect(item); // the box lies left of it
                for (LONG x = 0; x < icon.left; ++x)
                    boxes[lockAll][list.Text(item)].push_back(::GetPixel(dc.get(), x, (icon.top + icon.bottom) / 2));
            }
            dialog.Close(IDCANCEL);
        }, ScriptStart::AtOnce));
    }
    EXPECT_EQ(boxes[1].size(), boxes[0].size());
    for (const auto& [face, box] : boxes[1])
        EXPECT_NE(box, boxes[0][face]) << face << " drawn as without policy";
}
