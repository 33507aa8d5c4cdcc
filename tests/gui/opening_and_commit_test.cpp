// What the dialog shows when it opens, and what OK and Cancel write.
#include "dialog_test.h"

#include "tests/support/import_hook.h"

#include <algorithm>
#include <set>

using Opening = DialogTest;

TEST_F(Opening, CheckBoxesShowWhetherTheFaceIsListed)
{
    FillStore({kSans}, {kPreview});
    GlyphorLibrary glyphor(profile.Path());
    const std::map<std::string, bool> states = CheckStatesOnOpening(glyphor);

    ASSERT_FALSE(states.empty());
    EXPECT_FALSE(states.at(kSans)) << "listed for embedding";
    EXPECT_FALSE(states.at(kPreview)) << "listed for tessellation";
    for (const char* face : {kSansBold, kRestricted, "Glyphor Test Editable", "Glyphor Test NoSubset"})
        EXPECT_TRUE(states.at(face)) << face << " is in neither list";
    for (const auto& [face, checked] : states)
        EXPECT_EQ(checked, face != kSans && face != kPreview) << face;
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

TEST_F(Opening, WithoutGeneralEveryFaceIsCheckedAndOkWritesNothing)
{
    GlyphorLibrary glyphor(profile.Path());
    std::map<std::string, bool> states;

    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        states = list.CheckStates();
        list.SetChecked(list.Require(kSans), false);
        dialog.Close(IDOK);
    }));

    ASSERT_FALSE(states.empty());
    for (const auto& [face, checked] : states)
        EXPECT_TRUE(checked) << face;
    EXPECT_EQ(SubkeyNames(profile.Path()), std::vector<std::string>{}) << "nothing may be created";
}

using Commit = DialogTest;

TEST_F(Commit, OkWritesOneSwitchPerFaceByItsEmbeddingPermission)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    std::vector<std::string> faces;

    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        faces = dialog.List().Faces();
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.Close(IDOK);
    }));

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

TEST_F(Commit, OkWithoutChangeWritesEveryItem)
{
    // Listed only for tessellation although it may be embedded: unchecked, so
    // OK adds it to the embedding list as well.
    FillStore({"Not Installed Face"}, {kSans, "Not Installed Either"});
    GlyphorLibrary glyphor(profile.Path());
    std::map<std::string, bool> states;

    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        states = dialog.List().CheckStates();
        dialog.Close(IDOK);
    }));

    const StoreContents store = ReadStore(profile);
    EXPECT_FALSE(states.at(kSans));
    EXPECT_TRUE(store.Embeds(kSans)) << store;
    EXPECT_TRUE(store.Tessellates(kSans)) << "the other switch is never touched\n" << store;
    EXPECT_TRUE(store.Embeds("Not Installed Face")) << store;
    EXPECT_TRUE(store.Tessellates("Not Installed Either")) << store;
    for (const auto& [face, checked] : states) {
        if (face != kSans) {
            EXPECT_TRUE(checked && !store.Embeds(face) && !store.Tessellates(face)) << face << "\n" << store;
        }
    }
}

TEST_F(Commit, CancelAfterChangesWritesNothing)
{
    FillStore({kSans}, {kRestricted});
    const StoreContents before = ReadStore(profile);
    GlyphorLibrary glyphor(profile.Path());

    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        dialog.Press(IDC_CLEAR_ALL_BTN);
        list.SetChecked(list.Require(kSans), true);
        dialog.Close(IDCANCEL);
    }));

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

// Names that differ only in case share one registry value: the one last in
// name order decides, whatever the list's sort.
TEST_F(Commit, CaseTwinsAreWrittenInNameOrder)
{
    const PrivateFonts twins(ProgramDirectory() + "\\testfonts\\case_twins");
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    std::string last;
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const std::vector<std::string> faces = list.Faces(); // in name order
        const auto lower = std::find(faces.begin(), faces.end(), "Glyphor Case Twin");
        const auto upper = std::find(faces.begin(), faces.end(), "GLYPHOR CASE TWIN");
        ASSERT_TRUE(lower != faces.end() && upper != faces.end());
        last = *std::max(lower, upper);
        list.SetChecked(static_cast<int>(std::max(lower, upper) - faces.begin()), false);
        list.ClickHeading(0); // by name, descending
        dialog.Close(IDOK);
    }));
    EXPECT_TRUE(ReadStore(profile).Embeds(last)) << last << " is unchecked\n" << ReadStore(profile);
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
