// The list's columns and their sorting, the find box and the count line.
#include "dialog_test.h"
#include "window_search.h"

#include "common/ansi_text.h"
#include "dialog/count_line.h"
#include "dialog/folded_text.h"
#include "framework/afx.h"
#include "tests/support/import_hook.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using Row = std::pair<std::string, std::string>; // a column's text and the face's name

// The count line once the change is through: "Fonts checked: 3 of 40", with
// "; shown: 2" while narrowed.
void ExpectCount(const DialogWindow& dialog, int checked, int total, int shown = -1)
{
    std::string expected = "Fonts checked: " + std::to_string(checked) + " of " + std::to_string(total);
    expected += shown < 0 ? "" : "; shown: " + std::to_string(shown);
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

// A setting of the user's locale for a scope, written to the user's own
// locale key (HKCU\Control Panel\International) and put back afterwards.
struct ScopedLocaleSetting {
    ScopedLocaleSetting(LCTYPE what, const wchar_t* value) : what(what) { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, what, value); }
    ~ScopedLocaleSetting() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, what, previous.c_str()); }
    const LCTYPE what;
    const std::wstring previous = UserLocaleText(what);
};

// Whether typing `text` in the find box shows `name`, both in `codePage`.
bool Finds(const std::string& text, const std::string& name, UINT codePage)
{
    return FoldedForFinding(Widened(name, codePage)).find(FoldedForFinding(Widened(text, codePage))) != std::wstring::npos;
}

} // namespace

using Columns = DialogTest;

TEST_F(Columns, WordsSortingAndTypedLetters)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        ExpectWordsOfTheirFaces(list);

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

        // The context menu sorts as the headings do: by Licence, then reversed.
        dialog.ChooseFromContextMenu(IDC_FONT_LIST, 'L');
        const std::vector<Row> byLicence = Rows(list, 2);
        EXPECT_TRUE(std::is_sorted(byLicence.begin(), byLicence.end(), Ascending));
        dialog.ChooseFromContextMenu(IDC_FONT_LIST, 'L');
        EXPECT_EQ(Rows(list, 2), std::vector<Row>(byLicence.rbegin(), byLicence.rend()));
        dialog.Close(IDCANCEL);
    }));
}

// Faces that arrive while the list is sorted by another column and narrowed
// take the places a whole sort gives them.
TEST_F(Columns, FacesFoundMeanwhileTakeTheirPlacesInTheSort)
{
    GlyphorLibrary glyphor(profile.Path());
    const SlowFonts slow(glyphor.Module(), 10);
    std::vector<Row> arrived, sorted;
    ASSERT_TRUE(RunDialogSession(
        glyphor,
        [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            EXPECT_EQ(dialog.Text(IDC_FONT_COUNT).rfind("Finding fonts", 0), 0u) << dialog.Text(IDC_FONT_COUNT);
            list.ClickHeading(2);
            dialog.SetText(IDC_FIND_BOX, "glyphor test");
            dialog.WaitForEveryFace();
            arrived = Rows(list, 2);
            list.ClickHeading(2);
            list.ClickHeading(2);
            sorted = Rows(list, 2);
            dialog.Close(IDCANCEL);
        },
        ScriptStart::AtOnce));
    EXPECT_GT(arrived.size(), 20u);
    EXPECT_EQ(arrived, sorted);
}

// Until the user moves the focus, the top of the list in the sort of the
// moment has it while faces are found, and the list shows the top; a face the
// user focused keeps it as others come before it.
TEST_F(Columns, FocusFollowsTheTopUntilTheUserMovesIt)
{
    GlyphorLibrary glyphor(profile.Path());
    const SlowFonts slow(glyphor.Module(), 10);
    for (const bool userMoves : {false, true}) {
        ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            ASSERT_TRUE(WaitUntil([&] { return list.Count() >= 2; }, kWindowTimeoutMs));
            ASSERT_EQ(dialog.Text(IDC_FONT_COUNT).rfind("Finding fonts", 0), 0u) << "the walk has ended already";
            if (userMoves)
                list.Select({1}, 1);
            const std::string chosen = list.FocusedFace();
            list.ClickHeading(0); // descending: faces found later come first
            dialog.WaitForEveryFace();
            EXPECT_EQ(list.FocusedFace(), userMoves ? chosen : list.Text(0));
            EXPECT_TRUE(userMoves || ::SendMessageW(list.Handle(), LVM_GETTOPINDEX, 0, 0) == 0) << "top not shown";
            dialog.Close(IDCANCEL);
        }, ScriptStart::AtOnce));
    }
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

        // Check all leaves the hidden faces unchecked; 0 and 1 are counted too.
        dialog.SetText(IDC_FIND_BOX, "");
        dialog.Press(IDC_CLEAR_ALL_BTN);
        ExpectCount(dialog, 0, total);
        dialog.SetText(IDC_FIND_BOX, "restricted");
        ExpectCount(dialog, 0, total, 1);
        dialog.Press(IDC_CHECK_ALL_BTN);
        ExpectCount(dialog, 1, total, 1);
        dialog.SetText(IDC_FIND_BOX, "");
        ExpectCount(dialog, 1, total);

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
        // In the sample box too, which then shows the default sample.
        dialog.SetText(IDC_SAMPLE_BOX, "Zebra");
        dialog.PressKeyOn(IDC_SAMPLE_BOX, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return dialog.Text(IDC_SAMPLE_BOX).empty(); }, 3000));
        EXPECT_TRUE(dialog.IsOpen());
        dialog.PressKeyOn(IDC_FIND_BOX, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); }, kWindowTimeoutMs)) << "Esc in the empty box cancels";
    }));
}

// The list always has a focused face: it keeps the focus while the find text
// leaves it listed, and the first face takes it otherwise. Enter in the find
// box goes to the first face and does not close the dialog.
TEST_F(FindBox, FocusStaysOnItsFaceAndEnterGoesToTheList)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        list.Select({list.Require(kSansBold)}, list.Require(kSansBold));
        dialog.SetText(IDC_FIND_BOX, "glyphor test s");
        EXPECT_EQ(list.FocusedFace(), kSansBold);
        list.ClickHeading(0);
        EXPECT_EQ(list.FocusedFace(), kSansBold) << "across a sort";
        dialog.SetText(IDC_FIND_BOX, "restricted");
        EXPECT_EQ(list.FocusedFace(), kRestricted);

        dialog.SetText(IDC_FIND_BOX, "glyphor test s");
        EXPECT_EQ(list.FocusedFace(), list.Text(0)) << "the focused face is no longer listed";
        list.Select({1}, 1);
        dialog.PressKeyOn(IDC_FIND_BOX, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return dialog.FocusedControl() == IDC_FONT_LIST; }, 3000));
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(list.FocusedFace(), list.Text(0));
        dialog.Close(IDCANCEL);
    }));
}

// Each state of the list has its own sentence, with the user's digit grouping
// in every number; a separator the ANSI code page cannot spell is kept.
TEST(CountLine, EachStateItsSentenceAndTheUsersDigitGrouping)
{
    const ScopedLocaleSetting separator(LOCALE_STHOUSAND, L"\x202F"), grouping(LOCALE_SGROUPING, L"3;0");
    const UniqueHModule resources(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    AFX_MODULE_STATE state{nullptr, resources.get(), nullptr, false};
    const AFX_MAINTAIN_STATE2 selected(&state); // the line's words from the resource library
    const CCountLine line;
    EXPECT_EQ(line.Text(0, 1234567, -1, 0, false), L"Fonts checked: 0 of 1\x202F" L"234\x202F" L"567");
    EXPECT_EQ(line.Text(1000, 5022, 0, 0, false), L"Fonts checked: 1\x202F" L"000 of 5\x202F" L"022; shown: 0");
    EXPECT_EQ(line.Text(1000, 5022, 0, 1200, false),
              L"Fonts checked: 1\x202F" L"000 of 5\x202F" L"022; shown: 0; set by your administrator: 1\x202F" L"200");
    EXPECT_EQ(line.Text(7, 1204, -1, 0, true), L"Finding fonts\x2026 1\x202F" L"204 so far");
    EXPECT_EQ(line.Text(7, 1204, 3, 2, true), L"Finding fonts\x2026 1\x202F" L"204 so far; shown: 3; set by your administrator: 2");
    const ScopedLocaleSetting overridden(LOCALE_STHOUSAND, L"<a separator of 29 characters>");
    EXPECT_EQ(UserLocaleText(LOCALE_STHOUSAND), L"<a separator of 29 characters>");
}

// The second byte of a double-byte character may equal a letter; Roman
// numerals lower-case to characters that code page 936 lacks.
TEST(Finding, DoubleByteNamesMatchByWholeCharacters)
{
    const std::string gothic = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"; // full-width MS Gothic in 932
    EXPECT_FALSE(Finds("b", gothic, 932)) << "the second byte of the small tsu";
    EXPECT_TRUE(Finds("\x82\x8d\x82\x93", gothic, 932)) << "full-width ms";
    EXPECT_TRUE(Finds("\xa2\xa1", "Sans \xa2\xf1", 936)) << "i in Sans I";
    EXPECT_TRUE(Finds("\xa2\xfc", "Sans \xa2\xfc", 936)) << "XII in Sans XII";
    EXPECT_FALSE(Finds("\xa2\xfb", "Sans \xa2\xfc", 936)) << "XI in Sans XII";
}
