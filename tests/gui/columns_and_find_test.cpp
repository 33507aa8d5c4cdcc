// The list's columns and their sorting, the find box and the count line.
#include "dialog_test.h"
#include "window_search.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using Row = std::pair<std::string, std::string>; // a column's text and the face's name

// The count line once the change is through: "3 of 40 fonts checked", with
// "; 2 shown" while narrowed.
void ExpectCount(const DialogWindow& dialog, int checked, int total, int shown = -1)
{
    std::string expected = std::to_string(checked) + " of " + std::to_string(total) + " fonts checked";
    expected += shown < 0 ? "" : "; " + std::to_string(shown) + " shown";
    std::string got;
    WaitUntil([&] { return (got = dialog.Text(IDC_FONT_COUNT)) == expected; }, 3000);
    EXPECT_EQ(got, expected);
}

std::vector<Row> Rows(const FontList& list, int column)
{
    std::vector<Row> rows;
    for (int i = 0; i < list.Count(); ++i)
        rows.emplace_back(list.Text(i, column), list.Text(i));
    return rows;
}

bool Ascending(const Row& a, const Row& b)
{
    const int first = ::lstrcmpA(a.first.c_str(), b.first.c_str());
    return first < 0 || (first == 0 && ::lstrcmpA(a.second.c_str(), b.second.c_str()) < 0);
}

} // namespace

using Columns = DialogTest;

TEST_F(Columns, WordsSortingAndTypedLetters)
{
    const std::map<std::string, Row> expected = {
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
        for (const auto& [face, words] : expected)
            EXPECT_EQ(Row(list.Text(list.Require(face), 1), list.Text(list.Require(face), 2)), words) << face;

        // Typing a face's first letters selects the first face that begins so.
        const std::vector<Row> opening = Rows(list, 0);
        ASSERT_TRUE(std::is_sorted(opening.begin(), opening.end(), Ascending)) << "by name on opening";
        const auto first = std::find_if(opening.begin(), opening.end(),
                                        [](const Row& row) { return ::_strnicmp(row.first.c_str(), "glyphor", 7) == 0; });
        list.TypeChars("glyphor");
        EXPECT_EQ(::SendMessageA(list.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED | LVNI_FOCUSED),
                  first - opening.begin());

        // A heading click sorts by its column, a second one reverses.
        for (int column : {1, 2, 1, 0}) {
            list.ClickHeading(column);
            const std::vector<Row> ascending = Rows(list, column);
            EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end(), Ascending)) << "column " << column;
            list.ClickHeading(column);
            const std::vector<Row> descending = Rows(list, column);
            EXPECT_TRUE(std::equal(ascending.begin(), ascending.end(), descending.rbegin())) << "column " << column;
        }
        dialog.Close(IDCANCEL);
    }));
}

using FindBox = DialogTest;

TEST_F(FindBox, OkWritesNarrowedAndHiddenChecksAsTheFullListWould)
{
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
                list.SetChecked(list.Require(face), false);
            }
            if (narrow) {
                EXPECT_EQ(list.Faces(), std::vector<std::string>{kPreview});
                dialog.SetText(IDC_FIND_BOX, "TEST SANS");
                EXPECT_EQ(list.CheckStates(), (std::map<std::string, bool>{{kSans, false}, {kSansBold, true}}));
                dialog.SetText(IDC_FIND_BOX, "preview");
            }
            dialog.Close(IDOK);
        }));
        stores.push_back(ReadStore(profile));
    }
    EXPECT_EQ(stores[0], stores[1]);
    EXPECT_TRUE(stores[0].Embeds(kSans) && stores[0].Tessellates(kRestricted) && stores[0].Embeds(kPreview))
        << stores[0];
}

TEST_F(FindBox, ButtonsResetEscapeAndTheCountWhileNarrowed)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const int total = list.Count();
        dialog.SetText(IDC_FIND_BOX, "glyphor test s");
        ExpectCount(dialog, total, total, 2);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        ExpectCount(dialog, total - 2, total, 2);
        dialog.Press(IDC_CHECK_ALL_BTN);
        ExpectCount(dialog, total, total, 2);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        list.Click(list.CheckBoxPoint(0));
        ExpectCount(dialog, total - 1, total, 2);
        list.Select({1}, 1);
        list.PressKey(VK_SPACE);
        ExpectCount(dialog, total, total, 2);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.SetText(IDC_FIND_BOX, "restricted");
        dialog.Press(IDC_CLEAR_ALL_BTN);
        ExpectCount(dialog, total - 3, total, 1);

        // The reset reaches the hidden faces and keeps the find text.
        dialog.SetText(IDC_FIND_BOX, "glyphor test s");
        dialog.PressLater(IDC_DEFAULTS_BTN);
        dialog.WaitForMessageBox().Answer(IDYES);
        dialog.Sync();
        EXPECT_EQ(dialog.Text(IDC_FIND_BOX), "glyphor test s");
        EXPECT_EQ(list.CheckStates(), (std::map<std::string, bool>{{kSans, true}, {kSansBold, true}}));

        // Esc empties the box, and in an empty box cancels.
        dialog.PressKeyOn(IDC_FIND_BOX, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return list.Count() == total; }, 3000));
        EXPECT_TRUE(list.Checked(kRestricted)) << "no test face is a default";
        const auto states = list.CheckStates();
        ExpectCount(dialog, static_cast<int>(std::count_if(states.begin(), states.end(), [](const auto& s) { return s.second; })),
                    total);
        dialog.PressKeyOn(IDC_FIND_BOX, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); }, kWindowTimeoutMs)) << "Esc in the empty box cancels";
    }));
}
