// The dialog in the user's language: run by the CTest entry
// dialog_tests_russian_on_1252, which starts the program with Russian as its
// interface language on code page 1252, which cannot spell Russian.
#include "dialog_test.h"

#include "dialog/message_text.h"
#include "tests/support/resource_text.h"

#include <commctrl.h>

#include <iterator>
#include <map>

namespace {

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

INT_PTR CALLBACK InertDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The caption (id 0) and control texts of a resource library's dialog
// template, as the system makes its windows of it.
std::map<int, std::wstring> TemplateTexts(HMODULE resources)
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    const UniqueHWnd dialog(
        ::CreateDialogParamW(resources, MAKEINTRESOURCEW(IDD_FONT_SELECT), nullptr, &InertDialog, 0));
    std::map<int, std::wstring> texts{{0, WindowText(dialog.get())}};
    for (HWND child = ::GetWindow(dialog.get(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts[::GetDlgCtrlID(child)] = WindowText(child);
    return texts;
}

bool SpelledBy(const std::wstring& text, UINT codePage)
{
    BOOL lost = FALSE;
    ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lost);
    return !lost;
}

UniqueHModule ResourceLibrary(const std::string& folder)
{
    return UniqueHModule(
        ::LoadLibraryExA((ProgramDirectory() + folder + "\\GlyphorRes.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

} // namespace

class InterfaceLanguage : public DialogTest {
protected:
    void SetUp() override
    {
        wchar_t languages[256] = {};
        ULONG count = 0, size = static_cast<ULONG>(std::size(languages));
        ::GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, &count, languages, &size);
        ASSERT_EQ(std::wstring(languages), L"ru-RU") << "the interface language the program was started in";
        ASSERT_EQ(::GetACP(), 1252u) << "the ANSI code page the program was started in";
        ASSERT_TRUE(russian);
        FillStore({}, {});
    }

    const UniqueHModule russian = ResourceLibrary("\\ru");
};

// Every text the dialog shows comes whole from the Russian library, read
// back with the calls of UTF-16: nothing went through the ANSI code page.
TEST_F(InterfaceLanguage, RussianIsShownWholeOnACodePageThatCannotSpellIt)
{
    const std::map<int, std::wstring> expected = TemplateTexts(russian.get());
    ASSERT_FALSE(SpelledBy(expected.at(0), ::GetACP())) << "a caption the code page spells proves nothing";
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        for (const auto& [id, text] : expected) {
            if (text.empty()) // the count line's comes later
                continue;
            EXPECT_EQ(id ? dialog.WideText(id) : WindowText(dialog.Handle()), text) << "control " << id;
        }
        const FontList list = dialog.List();
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(list.Heading(column), ResourceString(russian.get(), IDS_COLUMN_FONT + column));
        const int noSubset = list.Require("Glyphor Test NoSubset");
        EXPECT_EQ(list.WideText(noSubset, 1), ResourceString(russian.get(), IDS_ALLOWS_EMBEDDING));
        EXPECT_EQ(list.WideText(noSubset, 2), ResourceString(russian.get(), IDS_LICENCE_RESTRICTED_NO_SUBSETTING));
        EXPECT_EQ(list.WideText(list.Require(kRestricted), 1), ResourceString(russian.get(), IDS_ALLOWS_TESSELLATION));
        const std::wstring total = std::to_wstring(list.Count());
        EXPECT_EQ(dialog.WideText(IDC_FONT_COUNT),
                  FormattedMessage(ResourceString(russian.get(), IDS_FONT_COUNT), {total, total}));

        dialog.PressLater(IDC_DEFAULTS_BTN);
        const MessageBoxWindow box = dialog.WaitForMessageBox();
        EXPECT_EQ(box.WideText(), ResourceString(russian.get(), IDS_RESET_PROMPT));
        EXPECT_EQ(box.WideCaption(), ResourceString(russian.get(), IDS_RESET_CAPTION));
        box.Answer(IDNO);
        dialog.Close(IDCANCEL);
    }), IDCANCEL);
}

// ru-RU, which the system names, has no translation beside the library; its
// parent ru has. A translation of another version, or one whose template
// lacks a control, is passed over for the next candidate, the last of which
// is the English library.
TEST_F(InterfaceLanguage, AStaleTranslationGivesWayToTheNextCandidate)
{
    const UniqueHModule english = ResourceLibrary("");
    const struct {
        const char* folder;
        HMODULE shown;
    } cases[] = {{"", russian.get()}, {"\\languages\\parent", russian.get()}, {"\\languages\\stale", english.get()}};
    for (const auto& choice : cases) {
        SCOPED_TRACE(choice.folder);
        GlyphorLibrary glyphor(profile.Path(), ProgramDirectory() + choice.folder);
        EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            EXPECT_EQ(WindowText(dialog.Handle()), TemplateTexts(choice.shown).at(0));
            EXPECT_NE(dialog.Control(IDC_FONT_PREVIEW), nullptr) << "a template without the preview";
            dialog.Close(IDCANCEL);
        }), IDCANCEL);
    }
}
