// Many runs, a second writer, and memory running out.
#include "child_process.h"
#include "dialog_test.h"

#include "framework/afx.h"
#include "tests/support/import_hook.h"

namespace {

// Every cursor the framework sets, with the one it replaced.
struct CursorChange {
    HCURSOR set;
    HCURSOR replaced;
};
std::vector<CursorChange> g_cursorChanges;
const void* g_setCursor = nullptr;

HCURSOR WINAPI RecordSetCursor(HCURSOR cursor)
{
    const HCURSOR replaced = reinterpret_cast<HCURSOR(WINAPI*)(HCURSOR)>(g_setCursor)(cursor);
    g_cursorChanges.push_back({cursor, replaced});
    return replaced;
}

// The wait cursors that were not followed at once by the cursor they replaced.
int UnrestoredWaitCursors()
{
    const HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    int unrestored = 0;
    for (size_t i = 0; i < g_cursorChanges.size(); ++i) {
        if (g_cursorChanges[i].set == wait)
            unrestored += i + 1 == g_cursorChanges.size() || g_cursorChanges[i + 1].set != g_cursorChanges[i].replaced;
    }
    return unrestored;
}

} // namespace

using Robustness = DialogTest;

TEST_F(Robustness, RepeatedRunsLeaveNoHandleBehind)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
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

TEST_F(Robustness, AnotherWriterWhileOpenLosesNothingButWhatTheUserSees)
{
    FillStore({"Outside Earlier"}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        EXPECT_TRUE(dialog.List().Checked(kSans));
        for (const char* face : {kSans, "Outside Later"}) {
            const std::string command = "reg.exe add \"HKCU\\" + profile.EmbedList() + "\" /v \"" + face +
                                        "\" /t REG_DWORD /d 0 /f";
            EXPECT_EQ(RunToEnd(command), 0u) << command;
        }
        ASSERT_TRUE(ReadStore(profile).Embeds(kSans)) << "the other process wrote";
        dialog.Close(IDOK);
    }));
    const StoreContents store = ReadStore(profile);
    EXPECT_FALSE(store.Embeds(kSans)) << "shown checked, so written on\n" << store;
    EXPECT_TRUE(store.Embeds("Outside Earlier")) << store;
    EXPECT_TRUE(store.Embeds("Outside Later")) << store;
}

TEST_F(Robustness, AllocationFailureWhileOpeningLeavesTheCallerWhole)
{
    FillStore({kSans}, {kRestricted});
    const StoreContents before = ReadStore(profile);
    GlyphorLibrary glyphor(profile.Path());
    AFX_MODULE_STATE* const callerState = AfxGetModuleState();
    g_cursorChanges.clear();
    g_cursorChanges.reserve(1000);
    ImportHook cursor(::GetModuleHandleA("framework.dll"), "user32.dll", "SetCursor",
                      reinterpret_cast<const void*>(&RecordSetCursor));
    g_setCursor = cursor.Original();
    int failedRuns = 0;
    for (long allowed : {0L, 1L, 2L, 3L, 5L, 8L, 13L, 21L, 34L, 55L, 89L, 144L, 233L, 377L}) {
        long failures = 0;
        {
            AllocationFailure failure(glyphor.Module(), allowed);
            RunDialogAndClose(glyphor, IDCANCEL);
            failures = failure.Failures();
        }
        failedRuns += failures > 0;
        EXPECT_EQ(AfxGetModuleState(), callerState) << "after " << allowed << " allocations";
        EXPECT_EQ(ReadStore(profile), before) << "after " << allowed << " allocations";
    }
    EXPECT_GT(failedRuns, 3) << "allocations did fail";
    EXPECT_GE(g_cursorChanges.size(), 28u) << "a wait cursor while each run discovers the faces";
    EXPECT_EQ(UnrestoredWaitCursors(), 0);

    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        EXPECT_FALSE(list.Checked(kSans));
        list.SetChecked(list.Require(kSans), true);
        dialog.Close(IDOK);
    }));
    EXPECT_FALSE(ReadStore(profile).Embeds(kSans)) << ReadStore(profile);
    EXPECT_EQ(UnrestoredWaitCursors(), 0) << "after discovery and the commit";
}
