// The list's columns and their sorting, the find box and the count line.
#include "dialog_test.h"
#include "window_search.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// "3 of 40 fonts checked", with "; 2 shown" while narrowed, as the dialog
// words it once the change is through.
void ExpectCount(const DialogWindow& dialog, int checked, int total, int shown = -1)
{
    std::string expected = std::to_string(checked) + " of " + std::to_string(total) + " fonts checked";
    if (shown >= 0)
        expected += "; " + std::to_string(shown) + " shown";
    std::string got;
    WaitUntil([&] { return (got = dialog.Text(IDC_FONT_COUNT)) == expected; }, 3000);
    EXPECT_EQ(got, expected);
}

int CheckedCount(const FontList& list)
{
    const auto states = list.CheckStates();
    return static_cast<int>(std::count_if(states.begin(), states.end(), [](const auto& s) { return s.second; }));
}

// Each item's text in `column` with its name, in list order.
std::vector<std::pair<std::string, std::string>> Rows(const FontList& list, int column)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < list.Count(); ++i)
        rows.emplace_back(list.Text(i, column), list.Text(i));
    return rows;
}

bool Ascending(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b)
{
    const int first = ::lstrcmpA(a.first.c_str(), b.first.c_str());
    return first < 0 || (first == 0 && ::lstrcmpA(a.second.c_str(), b.second.c_str()) < 0);
}

} // namespace

using Columns = DialogTest;

TEST_F(Columns, ShowWhatACheckAllowsAndTheLicence)
{
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {kSans, {"embedding", "installable"}},
        {kRestricted, {"tessellation", "restricted"}},
        {kPreview, {"embedding", "preview & print"}},
        {"Glyphor Test Editable", {"embedding", "editable"}},
        {"Glyphor Test NoSubset", {"embedding", "restricted, no subsetting"}},
        {"Glyphor Test Bitmaps", {"embedding", "restricted, bitmaps only"}},
    };
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        for (const auto& [face, words] : expected) {
            const int item = list.Require(face);
            EXPECT_EQ(std::pair(list.Text(item, 1), list.Text(item, 2)), words) << face;
        }
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(Columns, HeadingClicksSortAndReverseWithTheNameAsTieBreaker)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const auto opening = Rows(list, 0);
        ASSERT_TRUE(std::is_sorted(opening.begin(), opening.end(), Ascending)) << "by name on opening";
        for (int column : {1, 2, 0}) {
            if (column == 0)
                list.ClickHeading(1); // away from the name column, so the next click sorts it ascending
            list.ClickHeading(column);
            const auto ascending = Rows(list, column);
            EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end(), Ascending)) << "column " << column;
            list.ClickHeading(column);
            auto descending = Rows(list, column);
            std::reverse(descending.begin(), descending.end());
            EXPECT_EQ(descending, ascending) << "a second click on column " << column << " reverses";
        }
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(Columns, TypingAFacesFirstLettersSelectsIt)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const std::vector<std::string> faces = list.Faces();
        const auto first = std::find_if(faces.begin(), faces.end(),
                                        [](const std::string& face) { return ::_strnicmp(face.c_str(), "glyphor", 7) == 0; });
        ASSERT_NE(first, faces.end());
        list.TypeChars("glyphor");
        const int selected = static_cast<int>(
            ::SendMessageA(list.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED | LVNI_FOCUSED));
        EXPECT_EQ(selected, first - faces.begin()) << "the first face that begins so is " << *first;
        dialog.Close(IDCANCEL);
    }));
}

using FindBox = DialogTest;

TEST_F(FindBox, NarrowedChecksAreKeptAndOkWritesEveryFace)
{
    // The same choices, made once through the find box and once in the full list.
    std::vector<StoreContents> stores;
    for (bool narrow : {true, false}) {
        DeleteTree(profile.General());
        FillStore({}, {});
        GlyphorLibrary glyphor(profile.Path());
        ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            for (const char* face : {kSans, kRestricted, kPreview}) {
                if (narrow)
                    dialog.SetText(IDC_FIND_BOX, std::string(face).substr(8)); // "Test Sans" and so on
                if (narrow && face == kSans) {
                    EXPECT_EQ(list.Faces(), (std::vector<std::string>{kSans, kSansBold}));
                }
                list.SetChecked(list.Require(face), false);
            }
            if (narrow) {
                EXPECT_EQ(list.Faces(), std::vector<std::string>{kPreview});
                dialog.SetText(IDC_FIND_BOX, "TEST SANS");
                EXPECT_FALSE(list.Checked(kSans)) << "kept while hidden";
                dialog.SetText(IDC_FIND_BOX, "preview");
            }
            dialog.Close(IDOK);
        }));
        stores.push_back(ReadStore(profile));
    }
    EXPECT_EQ(stores[0], stores[1]);
    EXPECT_TRUE(stores[0].Embeds(kSans) && stores[0].Tessellates(kRestricted) && stores[0].Embeds(kPreview))
        << stores[0];
    EXPECT_FALSE(stores[0].Embeds(kSansBold)) << stores[0];
}

TEST_F(FindBox, ButtonsAndTheCountWhileNarrowed)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const int total = list.Count();
        ExpectCount(dialog, total, total);
        dialog.SetText(IDC_FIND_BOX, "glyphor test s");
        ExpectCount(dialog, total, total, 2);

        dialog.Press(IDC_CLEAR_ALL_BTN);
        ExpectCount(dialog, total - 2, total, 2);
        list.Click(list.CheckBoxPoint(0));
        ExpectCount(dialog, total - 1, total, 2);
        list.Select({1}, 1);
        list.PressKey(VK_SPACE);
        ExpectCount(dialog, total, total, 2);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.SetText(IDC_FIND_BOX, "restricted");
        dialog.Press(IDC_CLEAR_ALL_BTN);
        ExpectCount(dialog, total - 3, total, 1);

        // The reset reaches hidden faces too and keeps the find text.
        dialog.SetText(IDC_FIND_BOX, "glyphor test s");
        dialog.PressLater(IDC_DEFAULTS_BTN);
        dialog.WaitForMessageBox().Answer(IDYES);
        dialog.Sync();
        EXPECT_EQ(dialog.Text(IDC_FIND_BOX), "glyphor test s");
        EXPECT_EQ(list.Faces(), (std::vector<std::string>{kSans, kSansBold}));
        dialog.SetText(IDC_FIND_BOX, "");
        EXPECT_TRUE(list.Checked(kRestricted) && list.Checked(kSans)) << "no test face is a default";
        ExpectCount(dialog, CheckedCount(list), total);

        dialog.Press(IDC_CHECK_ALL_BTN);
        ExpectCount(dialog, total, total);
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(FindBox, EscapeEmptiesTheBoxThenCancels)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const int total = dialog.List().Count();
        dialog.SetText(IDC_FIND_BOX, "restricted");
        dialog.List().SetChecked(0, false);
        dialog.PressKeyOn(IDC_FIND_BOX, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return dialog.Text(IDC_FIND_BOX).empty(); }, 3000));
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(dialog.List().Count(), total);
        dialog.PressKeyOn(IDC_FIND_BOX, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); }, kWindowTimeoutMs)) << "Esc in the empty box cancels";
    }));
    EXPECT_EQ(ReadStore(profile).tessellate, std::vector<std::string>{}) << "nothing written";
}
