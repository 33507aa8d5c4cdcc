// What the dialog shows when it opens, and what OK and Cancel write.
#include "accessible_client.h"
#include "dialog_test.h"
#include "window_search.h"

#include "dialog/message_text.h"
#include "tests/support/import_hook.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <set>

using Opening = DialogTest;

// A check shows the switch it controls: embedding, or tessellation where the
// licence restricts embedding.
TEST_F(Opening, CheckBoxesShowTheSwitchTheyControl)
{
    FillStore({kSans, kRestricted}, {kPreview});
    GlyphorLibrary glyphor(profile.Path());
    const std::map<std::string, bool> states = CheckStatesOnOpening(glyphor);

    ASSERT_FALSE(states.empty());
    EXPECT_FALSE(states.at(kSans)) << "listed for embedding";
    EXPECT_TRUE(states.at(kPreview)) << "listed for tessellation only, and may be embedded";
    EXPECT_TRUE(states.at(kRestricted)) << "listed for embedding only, and may not be embedded";
    for (const auto& [face, checked] : states)
        EXPECT_EQ(checked, face != kSans) << face;
}

// Whether a button is the common controls' version 6 one. Wine answers
// CCM_GETVERSION with 5 for every control, having one common controls
// library; what the version 6 context does change there, as on Windows, is
// that buttons come from that library, and only those answer BCM_GETIDEALSIZE.
bool IsVersion6Button(HWND button)
{
    SIZE ideal{};
    return ::SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != 0;
}

// In a host without a manifest, the dialog is made of the version 6 common
// controls its library's manifest names, and the host's thread has its own
// context back afterwards. The list is named by the label before it.
TEST_F(Opening, DialogHasCurrentControlsAndANamedList)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        EXPECT_TRUE(IsVersion6Button(dialog.Control(IDOK)));
        const HWND list = dialog.Control(IDC_FONT_LIST);
        EXPECT_EQ(::GetWindow(list, GW_HWNDPREV), dialog.Control(IDC_FONT_LIST_LABEL)) << "the label comes first";
        EXPECT_EQ(dialog.WideText(IDC_FONT_LIST), L"Fon&ts:") << "the label's, with its access key";
        dialog.Close(IDCANCEL);
    }));
    const UniqueHWnd button(
        ::CreateWindowW(L"Button", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(IsVersion6Button(button.get())) << "the dialog's context stayed active";
}

// Through oleacc every control reads with a name, the list with its label's
// and its access key; Tab goes round the controls in their order, and each
// label's access key takes the focus to the control after it.
TEST_F(Opening, EveryControlIsNamedAndReachedFromTheKeyboard)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const ComApartment com;
        for (HWND child = ::GetWindow(dialog.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            EXPECT_NE(Read(AccessibleOf(child), &IAccessible::get_accName), L"") << "control " << ::GetDlgCtrlID(child);
        const UniqueAccessible named = AccessibleOf(dialog.Control(IDC_FONT_LIST));
        EXPECT_EQ(Read(named, &IAccessible::get_accName), L"Fonts:");
        std::wstring shortcut = Read(named, &IAccessible::get_accKeyboardShortcut);
        ::CharUpperW(shortcut.data());
        EXPECT_EQ(shortcut, L"ALT+T");

        // Keys arrive through the input queue: each check waits for its outcome.
        const auto focusReaches = [&dialog](int control) {
            WaitUntil([&] { return dialog.FocusedControl() == control; }, kWindowTimeoutMs);
            return dialog.FocusedControl();
        };
        const int round[] = {IDC_FIND_BOX,      IDC_SAMPLE_BOX, IDC_FONT_LIST, IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN,
                             IDC_CLEAR_ALL_BTN, IDOK,           IDCANCEL,      IDC_HELP_BTN,     IDC_FIND_BOX};
        for (size_t i = 0; i + 1 < std::size(round); ++i) {
            dialog.PressKeyOn(round[i], VK_TAB);
            EXPECT_EQ(focusReaches(round[i + 1]), round[i + 1]) << "Tab from control " << round[i];
        }
        for (const auto& [key, control] : {std::pair{'F', IDC_FIND_BOX}, {'S', IDC_SAMPLE_BOX}, {'T', IDC_FONT_LIST}}) {
            dialog.PressAccessKey(key);
            EXPECT_EQ(focusReaches(control), control) << "Alt+" << key;
        }
        const FontList list = dialog.List();
        const auto checkedReach = [&list](int count) {
            const auto checked = [&list] {
                const std::map<std::string, bool> states = list.CheckStates();
                return std::count_if(states.begin(), states.end(), [](const auto& state) { return state.second; });
            };
            WaitUntil([&] { return checked() == count; }, kWindowTimeoutMs);
            return checked();
        };
        dialog.PressAccessKey('L');
        EXPECT_EQ(checkedReach(0), 0) << "Alt+L clears all";
        dialog.PressAccessKey('A');
        EXPECT_EQ(checkedReach(list.Count()), list.Count()) << "Alt+A checks all";
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(Opening, ColdProfileIsBroughtToTheDefaultsFirst)
{
    for (bool embedListOnly : {false, true}) {
        SCOPED_TRACE(embedListOnly ? "only the embedding list" : "no lists");
        DeleteTree(profile.General());
        profile.CreateGeneral();
        if (embedListOnly)
            WriteDwordZero(profile.EmbedList(), kSans);
        GlyphorLibrary glyphor(profile.Path());
        const std::map<std::string, bool> states = CheckStatesOnOpening(glyphor);

        ASSERT_FALSE(states.empty());
        for (const auto& [face, checked] : states)
            EXPECT_EQ(checked, !IsDefaultFace(face)) << face;
        EXPECT_TRUE(states.at(kSans)) << "earlier choices are gone";
        const StoreContents store = ReadStore(profile);
        EXPECT_TRUE(HoldsDefaults(profile)) << store;
    }
}

// Without General, from the start or deleted while the dialog is open, OK
// cannot save a change: it says so and stays open, and nothing is created.
TEST_F(Opening, WithoutGeneralEveryFaceIsCheckedAndOkSaysItCannotSave)
{
    GlyphorLibrary glyphor(profile.Path());
    for (bool deletedWhileOpen : {false, true}) {
        SCOPED_TRACE(deletedWhileOpen ? "General deleted while open" : "no General");
        if (deletedWhileOpen)
            FillStore({}, {});
        std::map<std::string, bool> states;
        ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            states = list.CheckStates();
            list.SetChecked(list.Require(kSans), false);
            DeleteTree(profile.General());
            dialog.PressLater(IDOK);
            AnswerFailureBox(dialog, 1, NoSettingsPlace());
            EXPECT_TRUE(dialog.IsOpen());
            EXPECT_FALSE(list.Checked(kSans)) << "the user's check stays";
            dialog.Close(IDCANCEL);
        }));
        ASSERT_FALSE(states.empty());
        for (const auto& [face, checked] : states)
            EXPECT_TRUE(checked) << face;
        EXPECT_EQ(SubkeyNames(profile.Path()), std::vector<std::string>{}) << "nothing may be created";
    }
}

using Commit = DialogTest;

TEST_F(Commit, OkWritesOneSwitchPerFaceByItsEmbeddingPermission)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    std::vector<std::string> faces;

    ASSERT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        faces = dialog.List().Faces();
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.Close(IDOK);
    }), IDOK);

    const StoreContents store = ReadStore(profile);
    EXPECT_TRUE(store.Tessellates(kRestricted)) << store;
    EXPECT_FALSE(store.Embeds(kRestricted)) << store;
    for (const char* face : {kSans, kSansBold, kPreview, "Glyphor Test Mixed", "Glyphor Test NoSubset"}) {
        EXPECT_TRUE(store.Embeds(face)) << face << "\n" << store;
        EXPECT_FALSE(store.Tessellates(face)) << face << "\n" << store;
    }
    for (const std::string& face : faces)
        EXPECT_NE(store.Embeds(face), store.Tessellates(face)) << face << " must be in exactly one list";
    EXPECT_EQ(store.embed.size() + store.tessellate.size(), faces.size()) << store;
}

// For every state the store may hold a face's two switches in: OK without
// a change writes nothing, and a check the user changes is what the next
// opening shows, with the other switch untouched.
TEST_F(Commit, EveryStoredStateRoundTrips)
{
    GlyphorLibrary glyphor(profile.Path());
    for (int state = 0; state < 4; ++state) {
        const bool embedListed = state & 1, tessellateListed = state & 2;
        SCOPED_TRACE("listed for embedding: " + std::to_string(embedListed) +
                     ", for tessellation: " + std::to_string(tessellateListed));
        DeleteTree(profile.General());
        FillStore({}, {});
        for (const char* face : {kSans, kRestricted}) {
            if (embedListed)
                WriteDwordZero(profile.EmbedList(), face);
            if (tessellateListed)
                WriteDwordZero(profile.TessellateList(), face);
        }
        const StoreContents stored = ReadStore(profile);
        for (bool toggle : {false, true}) {
            ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
                const FontList list = dialog.List();
                EXPECT_EQ(list.Checked(kSans), !embedListed);
                EXPECT_EQ(list.Checked(kRestricted), !tessellateListed);
                if (toggle) {
                    list.SetChecked(list.Require(kSans), embedListed);
                    list.SetChecked(list.Require(kRestricted), tessellateListed);
                }
                dialog.Close(IDOK);
            }));
            if (!toggle) {
                EXPECT_EQ(ReadStore(profile), stored) << "OK without a change";
            }
        }
        const std::map<std::string, bool> reopened = CheckStatesOnOpening(glyphor);
        EXPECT_EQ(reopened.at(kSans), embedListed);
        EXPECT_EQ(reopened.at(kRestricted), tessellateListed);
        const StoreContents store = ReadStore(profile);
        EXPECT_EQ(store.Tessellates(kSans), tessellateListed) << store;
        EXPECT_EQ(store.Embeds(kRestricted), embedListed) << store;
    }
}

// Writes refused part way: the dialog says how many faces were not saved and
// why, keeps the user's checks, and OK again saves what is still pending,
// and only that.
TEST_F(Commit, RefusedWritesKeepTheDialogOpenUntilSaved)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    int faces = 0;
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        faces = dialog.List().Count();
        dialog.Press(IDC_CLEAR_ALL_BTN);
        {
            RegistryWriteFailure failure(glyphor.Module(), 10);
            dialog.PressLater(IDOK);
            AnswerFailureBox(dialog, faces - 10, SystemErrorText(ERROR_ACCESS_DENIED));
        }
        EXPECT_TRUE(dialog.IsOpen());
        const StoreContents store = ReadStore(profile);
        EXPECT_EQ(store.embed.size() + store.tessellate.size(), 10u) << store;
        for (const auto& [face, checked] : dialog.List().CheckStates())
            EXPECT_FALSE(checked) << face << ": the user's check stays";
        const RegistryWriteFailure pendingOnly(glyphor.Module(), faces - 10);
        dialog.Close(IDOK);
        EXPECT_EQ(pendingOnly.Refused(), 0) << "faces saved by the first OK were written again";
    }));
    const StoreContents store = ReadStore(profile);
    EXPECT_EQ(store.embed.size() + store.tessellate.size(), static_cast<size_t>(faces)) << store;
}

TEST_F(Commit, CancelAfterChangesWritesNothing)
{
    FillStore({kSans}, {kRestricted});
    const StoreContents before = ReadStore(profile);
    GlyphorLibrary glyphor(profile.Path());

    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        dialog.Press(IDC_CLEAR_ALL_BTN);
        list.SetChecked(list.Require(kSans), true);
        dialog.Close(IDCANCEL);
    }), IDCANCEL);

    EXPECT_EQ(ReadStore(profile), before);
}

TEST_F(Commit, EachRunReadsTheStoreAfresh)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    for (bool uncheck : {true, false}) {
        ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            EXPECT_EQ(list.Checked(kRestricted), uncheck) << "as the previous run left it";
            list.SetChecked(list.Require(kRestricted), !uncheck);
            dialog.Close(IDOK);
        }));
        EXPECT_EQ(ReadStore(profile).Tessellates(kRestricted), uncheck) << ReadStore(profile);
    }
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        EXPECT_TRUE(dialog.List().Checked(kRestricted));
        dialog.Close(IDCANCEL);
    }));
}

// Names that differ only in case share one registry value: a change to
// either row is shown on both, and OK writes what they show, however the
// changes alternate between them.
TEST_F(Commit, CaseTwinsShareOneCheck)
{
    const PrivateFonts twins(ProgramDirectory() + "\\testfonts\\case_twins");
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    const std::string lower = "Glyphor Case Twin", upper = "GLYPHOR CASE TWIN";
    for (bool last : {false, true}) {
        const std::pair<std::string, bool> steps[] = {{lower, !last}, {upper, last}, {lower, !last}, {upper, last}};
        EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            for (const auto& [row, checked] : steps) {
                list.SetChecked(list.Require(row), checked);
                EXPECT_EQ(list.Checked(lower), checked) << row << " set to " << checked;
                EXPECT_EQ(list.Checked(upper), checked) << row << " set to " << checked;
            }
            dialog.Close(IDOK);
        }), IDOK);
        EXPECT_EQ(ReadStore(profile).embed.size(), last ? 0u : 1u) << ReadStore(profile);
    }
}

// Opening reads the lists; the commit opens a list to write to it, no more.
TEST_F(Commit, KeysAreAskedForWithTheLeastAccess)
{
    FillStore({}, {kSans});
    GlyphorLibrary glyphor(profile.Path());
    HandleBalance balance(glyphor.Module());
    ASSERT_TRUE(RunDialogAndClose(glyphor, IDOK));
    const std::vector<KeyRequest> requests = balance.KeyRequests();
    const std::string embed = profile.EmbedList(), tessellate = profile.TessellateList();
    EXPECT_EQ(std::set<KeyRequest>(requests.begin(), requests.end()),
              (std::set<KeyRequest>{{tessellate, KEY_SET_VALUE}, {embed, KEY_SET_VALUE}, {tessellate, KEY_READ},
                                    {embed, KEY_READ}}));
}
