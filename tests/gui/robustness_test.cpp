// Many runs, a second writer, memory running out, a second dialog, and every
// action while the faces are still being found.
#include "child_process.h"
#include "dialog_test.h"
#include "window_search.h"

#include "common/unique_handle.h"
#include "framework/afx.h"
#include "tests/support/import_hook.h"

#include <tlhelp32.h>

#include <optional>
#include <thread>

namespace {

// The threads of this process.
int ThreadCount()
{
    const UniqueHandleObject snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot.get(), &thread); more; more = ::Thread32Next(snapshot.get(), &thread))
        count += thread.th32OwnerProcessID == ::GetCurrentProcessId();
    return count;
}

// Waits until the slowed walk has listed some faces, and says it goes on.
void AwaitFirstFaces(const DialogWindow& dialog, int atLeast = 1)
{
    ASSERT_TRUE(WaitUntil([&] { return dialog.List().Count() >= atLeast; }, kWindowTimeoutMs));
    ASSERT_EQ(dialog.Text(IDC_FONT_COUNT).rfind("Finding fonts", 0), 0u) << "the walk has ended already";
}

} // namespace

using Robustness = DialogTest;

// Cancel, OK and Defaults while the faces are still being found; no thread
// of the library outlives the dialog, and the library unloads at once.
TEST_F(Robustness, EveryActionWhileFacesAreFound)
{
    FillStore({}, {});
    const StoreContents stored = ReadStore(profile);
    int threads = 0;
    {
        GlyphorLibrary glyphor(profile.Path());
        const size_t faces = CheckStatesOnOpening(glyphor).size();
        threads = ThreadCount();
        const SlowFonts slow(glyphor.Module(), 10);

        ULONGLONG cancelledIn = 0;
        ASSERT_TRUE(RunDialogSession(
            glyphor,
            [&](const DialogWindow& dialog) {
                AwaitFirstFaces(dialog);
                dialog.List().SetChecked(0, false);
                const ULONGLONG pressed = ::GetTickCount64();
                dialog.PressLater(IDCANCEL);
                EXPECT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); }, kWindowTimeoutMs));
                cancelledIn = ::GetTickCount64() - pressed;
            },
            ScriptStart::AtOnce));
        EXPECT_LT(cancelledIn, 100u) << "ms from Cancel until the dialog and its walk had ended";
        EXPECT_EQ(ReadStore(profile), stored) << "Cancel wrote";
        EXPECT_EQ(ThreadCount(), threads) << "a thread outlived the dialog";

        std::string unchecked;
        ASSERT_TRUE(RunDialogSession(
            glyphor,
            [&](const DialogWindow& dialog) {
                AwaitFirstFaces(dialog);
                const FontList list = dialog.List();
                unchecked = list.Text(0);
                list.SetChecked(0, false);
                dialog.Close(IDOK);
            },
            ScriptStart::AtOnce));
        const StoreContents store = ReadStore(profile);
        EXPECT_EQ(store.embed.size() + store.tessellate.size(), 1u) << "faces not found yet were written\n" << store;
        EXPECT_TRUE(store.Embeds(unchecked) || store.Tessellates(unchecked)) << unchecked << "\n" << store;

        ASSERT_TRUE(RunDialogSession(
            glyphor,
            [&](const DialogWindow& dialog) {
                // Far enough that the walk started again first finds faces listed already.
                AwaitFirstFaces(dialog, 20);
                dialog.PressLater(IDC_DEFAULTS_BTN);
                dialog.WaitForMessageBox().Answer(IDYES);
                const int listed = dialog.List().Count();
                EXPECT_TRUE(WaitUntil([&] { return dialog.List().Count() > listed; }, kWindowTimeoutMs));
                EXPECT_EQ(dialog.Text(IDC_FONT_COUNT).rfind("Finding fonts", 0), 0u)
                    << "the faces new to the list came only as the walk ended: " << dialog.Text(IDC_FONT_COUNT);
                dialog.WaitForEveryFace();
                const std::map<std::string, bool> states = dialog.List().CheckStates();
                EXPECT_EQ(states.size(), faces);
                EXPECT_EQ(static_cast<size_t>(dialog.List().Count()), faces) << "a face listed twice";
                for (const auto& [face, checked] : states)
                    EXPECT_EQ(checked, !IsDefaultFace(face)) << face;
                dialog.Close(IDCANCEL);
            },
            ScriptStart::AtOnce));
        EXPECT_TRUE(HoldsDefaults(profile)) << ReadStore(profile);
    }
    EXPECT_EQ(::GetModuleHandleA("Glyphor.dll"), nullptr) << "the library stayed loaded";
    EXPECT_EQ(ThreadCount(), threads);
}

TEST_F(Robustness, RepeatedRunsLeaveNoHandleBehind)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    glyphor.IsEnabledForFacename(kSans, false); // opens the keys the policy is watched through, for good
    HandleBalance balance(glyphor.Module());
    constexpr int kRuns = 24;
    for (int run = 0; run < kRuns; ++run) {
        ASSERT_TRUE(RunDialogSession(glyphor, [run](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            list.SetChecked(list.Require(kSans), run % 2 == 0);
            if (run % 8 == 0) {
                dialog.PressLater(IDC_DEFAULTS_BTN);
                dialog.WaitForMessageBox().Answer(IDYES);
            }
            dialog.Close(run % 3 == 0 ? IDCANCEL : IDOK);
        })) << "run " << run;
    }
    EXPECT_GT(balance.KeysOpenedInAll(), kRuns);
    EXPECT_EQ(balance.OpenKeys(), 0);
    EXPECT_EQ(balance.LiveFonts(), 0);
    EXPECT_EQ(balance.HeldDCs(), 0);
}

// What another process writes while the dialog is open stands beside what
// the user changes: OK writes only the user's changes, not a check the user
// set back as it was. A face whose value the other process removed is
// checked without complaint.
TEST_F(Robustness, AnotherWritersChangesStandBesideTheUsers)
{
    FillStore({"Outside Earlier", kPreview}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        EXPECT_TRUE(list.Checked(kSans));
        list.SetChecked(list.Require(kSans), false);
        list.SetChecked(list.Require(kSans), true);
        const std::string key = "\"HKCU\\" + profile.EmbedList() + "\" /v \"";
        for (const std::string& command : {"reg.exe add " + key + kSans + "\" /t REG_DWORD /d 0 /f",
                                           "reg.exe add " + key + "Outside Later\" /t REG_DWORD /d 0 /f",
                                           "reg.exe delete " + key + kPreview + "\" /f"})
            EXPECT_EQ(RunToEnd(command), 0u) << command;
        ASSERT_TRUE(ReadStore(profile).Embeds(kSans)) << "the other process wrote";
        list.SetChecked(list.Require(kSansBold), false);
        list.SetChecked(list.Require(kPreview), true);
        dialog.Close(IDOK);
    }), IDOK);
    const StoreContents store = ReadStore(profile);
    EXPECT_TRUE(store.Embeds(kSans)) << "the other process's change was undone\n" << store;
    EXPECT_FALSE(store.Embeds(kPreview)) << store;
    EXPECT_TRUE(store.Embeds(kSansBold)) << store;
    EXPECT_TRUE(store.Embeds("Outside Earlier")) << store;
    EXPECT_TRUE(store.Embeds("Outside Later")) << store;
}

// While the dialog is open, a further call, from any thread, brings it to the
// front and returns 0: there is one dialog, to commit once. A call made
// while the dialog is still opening waits for its window.
TEST_F(Robustness, ASecondCallBringsTheOpenDialogToTheFront)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    const HostProfile slowHost(glyphor.Module(), false, 300); // asked as the dialog opens
    HWND shownAtReturn = nullptr;
    std::thread early([&] {
        WaitUntil([&] { return !slowHost.CallingThreads().empty(); }, kWindowTimeoutMs);
        EXPECT_EQ(glyphor.runGlyphorDialog(), 0);
        shownAtReturn = FindFontDialog(::GetCurrentProcessId(), 0);
    });
    EXPECT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        early.join();
        EXPECT_EQ(shownAtReturn, dialog.Handle()) << "a call while the dialog opened returned before it was shown";
        const UniqueHWnd other(::CreateWindowExA(
            0, "STATIC", "Another window", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr));
        ::SetForegroundWindow(other.get());
        ASSERT_EQ(::GetForegroundWindow(), other.get());
        EXPECT_EQ(glyphor.runGlyphorDialog(), 0);
        EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dialog.Handle(); }, 3000));
        EXPECT_EQ(FindFontDialog(::GetCurrentProcessId(), 0, dialog.Handle()), nullptr)
            << "a second dialog opened";
        dialog.Close(IDCANCEL);
    }));
    if (early.joinable())
        early.join();
}

// A host that cannot name its profile is asked on the thread that runs the
// dialog only, never by the walk, however soon it may be asked again; OK
// then says that the profile has no place for the switches.
TEST_F(Robustness, TheHostIsAskedOnTheDialogsThreadOnly)
{
    GlyphorLibrary glyphor(profile.Path());
    const HostProfile failingHost(glyphor.Module(), true, 0, true);
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        dialog.List().SetChecked(dialog.List().Require(kSans), false);
        dialog.PressLater(IDOK);
        AnswerFailureBox(dialog, 1, NoSettingsPlace());
        dialog.Close(IDCANCEL);
    }), IDCANCEL);
    const std::vector<DWORD> threads = failingHost.CallingThreads();
    EXPECT_GE(threads.size(), 2u) << "asked as the dialog opened and at OK";
    EXPECT_EQ(threads, std::vector<DWORD>(threads.size(), ::GetCurrentThreadId())) << "asked on another thread";
}

// A batch or a count whose message cannot be posted, as with a full queue,
// comes all the same.
TEST_F(Robustness, AMessageThatCannotBePostedHoldsNothingBack)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    const size_t faces = CheckStatesOnOpening(glyphor).size();
    std::optional<PostFailure> failure(std::in_place, glyphor.Module(), 3);
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        EXPECT_EQ(static_cast<size_t>(dialog.List().Count()), faces);
        EXPECT_EQ(failure->Refused(), 3) << "the walk's messages";
        failure.emplace(glyphor.Module(), 1);
        dialog.List().SetChecked(dialog.List().Require(kSans), false);
        EXPECT_EQ(failure->Refused(), 1) << "the count's message";
        EXPECT_EQ(dialog.Text(IDC_FONT_COUNT), "Fonts checked: " + std::to_string(faces - 1) + " of " + std::to_string(faces));
        dialog.Close(IDCANCEL);
    }), IDCANCEL);
}

TEST_F(Robustness, AllocationFailureWhileOpeningLeavesTheCallerWhole)
{
    FillStore({kSans}, {kRestricted});
    const StoreContents before = ReadStore(profile);
    GlyphorLibrary glyphor(profile.Path());
    AFX_MODULE_STATE* const callerState = AfxGetModuleState();
    int failedRuns = 0;
    for (long allowed : {0L, 1L, 2L, 3L, 5L, 8L, 13L, 21L, 34L, 55L, 89L, 144L, 233L, 377L}) {
        long failures = 0;
        {
            AllocationFailure failure(glyphor.Module(), allowed);
            // The failure may end the dialog by itself at any time.
            RunDialogSession(
                glyphor, [](const DialogWindow& dialog) { ::PostMessageA(dialog.Handle(), WM_COMMAND, IDCANCEL, 0); },
                ScriptStart::AtOnce);
            failures = failure.Failures();
        }
        failedRuns += failures > 0;
        EXPECT_EQ(AfxGetModuleState(), callerState) << "after " << allowed << " allocations";
        EXPECT_EQ(ReadStore(profile), before) << "after " << allowed << " allocations";
    }
    EXPECT_GT(failedRuns, 3) << "allocations did fail";

    // A failure in the open dialog closes it as Cancel would.
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        dialog.Press(IDC_CLEAR_ALL_BTN);
        const AllocationFailure failure(glyphor.Module(), 0);
        dialog.SetText(IDC_FIND_BOX, "Glyphor");
        EXPECT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); }, kWindowTimeoutMs));
        EXPECT_GT(failure.Failures(), 0);
    }), IDCANCEL);
    EXPECT_EQ(ReadStore(profile), before);

    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        EXPECT_FALSE(list.Checked(kSans));
        list.SetChecked(list.Require(kSans), true);
        dialog.Close(IDOK);
    }));
    EXPECT_FALSE(ReadStore(profile).Embeds(kSans)) << ReadStore(profile);
}
