// The dialog in the user's language, run by the CTest entry
// dialog_tests_russian_on_1252: Russian on code page 1252, which cannot spell it.
#include "dialog_test.h"
#include "window_search.h"

#include "common/window_text.h"
#include "dialog/message_text.h"
#include "tests/support/import_hook.h"
#include "tests/support/resource_text.h"

#include <commctrl.h>

#include <cwchar>
#include <iterator>
#include <map>
#include <utility>

namespace {

INT_PTR CALLBACK InertDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The caption (as id 0) and control texts of a library's template, as the
// system makes its windows of it.
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

UniqueHModule ResourceLibrary(const std::string& folder)
{
    const std::string path = ProgramDirectory() + folder + "\\GlyphorRes.dll";
    return UniqueHModule(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

// The one language the library's thread prefers, as the hook below answers
// for GetThreadPreferredUILanguages: Wine takes the thread's languages from
// the locale the program started in, whatever the program sets.
const wchar_t* g_threadLanguage = L"";

BOOL WINAPI ThreadLanguage(DWORD, PULONG count, PZZWSTR names, PULONG size)
{
    const ULONG needed = static_cast<ULONG>(std::wcslen(g_threadLanguage)) + 2; // with both nulls
    *count = 1;
    if (names && *size < needed) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (names) {
        std::wcscpy(names, g_threadLanguage);
        names[needed - 1] = L'\0';
    }
    *size = needed;
    return TRUE;
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

// Every text on the screen is the Russian library's, read back whole in
// UTF-16: none went through the ANSI code page.
TEST_F(InterfaceLanguage, RussianIsShownWholeOnACodePageThatCannotSpellIt)
{
    const std::map<int, std::wstring> expected = TemplateTexts(russian.get());
    const auto text = [&](UINT id) { return ResourceString(russian.get(), id); };
    const std::wstring completeLine = text(IDS_FONT_COUNT).substr(0, text(IDS_FONT_COUNT).find(L'%'));
    GlyphorLibrary glyphor(profile.Path());
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const auto complete = [&] { return dialog.WideText(IDC_FONT_COUNT).rfind(completeLine, 0) == 0; };
        ASSERT_TRUE(WaitUntil(complete, kWindowTimeoutMs)) << "every face listed";
        for (const auto& [id, shown] : expected) {
            if (!shown.empty()) { // the count line's comes later
                EXPECT_EQ(id ? dialog.WideText(id) : WindowText(dialog.Handle()), shown) << "control " << id;
            }
        }
        const FontList list = dialog.List();
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(list.Heading(column), text(IDS_COLUMN_FONT + column));
        const int noSubset = list.Require("Glyphor Test NoSubset");
        EXPECT_EQ(list.WideText(noSubset, 1), text(IDS_ALLOWS_EMBEDDING));
        EXPECT_EQ(list.WideText(noSubset, 2), text(IDS_LICENCE_RESTRICTED_NO_SUBSETTING));
        const std::wstring total = std::to_wstring(list.Count());
        EXPECT_EQ(dialog.WideText(IDC_FONT_COUNT), FormattedMessage(text(IDS_FONT_COUNT), {total, total}));
        dialog.PressLater(IDC_DEFAULTS_BTN);
        const MessageBoxWindow box = dialog.WaitForMessageBox();
        EXPECT_EQ(box.Text(), text(IDS_RESET_PROMPT));
        EXPECT_EQ(box.Caption(), text(IDS_RESET_CAPTION));
        box.Answer(IDNO);
        dialog.Close(IDCANCEL);
    }, ScriptStart::AtOnce), IDCANCEL);
}

// ru-RU, which the system names, has no translation beside the library, its
// parent ru has. A translation of another version, or whose template lacks
// a control, gives way to the next candidate, the last being English (the
// build makes the folders).
TEST_F(InterfaceLanguage, AStaleTranslationGivesWayToTheNextCandidate)
{
    const UniqueHModule english = ResourceLibrary("");
    const std::pair<const char*, HMODULE> cases[] = {
        {"", russian.get()}, {"\\languages\\parent", russian.get()}, {"\\languages\\stale", english.get()}};
    for (const auto& choice : cases) {
        GlyphorLibrary glyphor(profile.Path(), ProgramDirectory() + choice.first);
        EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            EXPECT_EQ(WindowText(dialog.Handle()), TemplateTexts(choice.second).at(0)) << choice.first;
            EXPECT_NE(dialog.Control(IDC_FONT_PREVIEW), nullptr) << choice.first << ": a template without the preview";
            dialog.Close(IDCANCEL);
        }, ScriptStart::AtOnce), IDCANCEL) << choice.first;
    }
}

// A resource library's string is data: whatever its percent signs, it fills
// in only the inserts given and reads nothing beyond them; line breaks come
// out as CR LF, as the system's formatting made them.
TEST(MessageText, FillsInsertsAndTakesAnyOtherPercentSignAsText)
{
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"%2 of %1; %3", L"two of one; "}, {L"%99!.*s!", L"!.*s!"},       {L"%98!*.*s!", L"!*.*s!"},
        {L"%1!*s!", L"one!*s!"},            {L"%123", L"3"},               {L"%0 %x %. 50%", L"%0 %x %. 50%"},
        {L"100%% %%1", L"100% %1"},         {L"a%nb\nc\r\nd\re", L"a\r\nb\r\nc\r\nd\r\ne"}};
    for (const auto& [pattern, expected] : rows)
        EXPECT_EQ(FormattedMessage(pattern, {L"one", L"two"}), expected) << pattern;
    EXPECT_EQ(FormattedMessage(L"%1%2", {L"%2", L"!"}), L"%2!") << "an insert is not read as a pattern";
}

// Chinese is chosen by the script of the thread's region: Simplified for the
// mainland and Singapore, Traditional for Taiwan, Hong Kong and Macao, though
// no folder bears a region's name.
TEST_F(InterfaceLanguage, ChineseFollowsTheScriptOfTheThreadsRegion)
{
    const std::wstring simplified = TemplateTexts(ResourceLibrary("\\zh-Hans").get()).at(0);
    const std::wstring traditional = TemplateTexts(ResourceLibrary("\\zh-Hant").get()).at(0);
    ASSERT_NE(simplified, traditional) << "the two scripts' captions";
    GlyphorLibrary glyphor(profile.Path());
    decltype(&ThreadLanguage) systems = nullptr; // not called: the thread speaks only the case's language
    ImportHook hook(glyphor.Module(), "kernel32.dll", "GetThreadPreferredUILanguages", &ThreadLanguage, systems);
    const std::pair<const wchar_t*, const std::wstring&> cases[] = {{L"zh-CN", simplified}, {L"zh-SG", simplified},
        {L"zh-TW", traditional}, {L"zh-HK", traditional}, {L"zh-MO", traditional}};
    for (const auto& [language, caption] : cases) {
        g_threadLanguage = language;
        EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            EXPECT_EQ(WindowText(dialog.Handle()), caption) << "thread language " << language;
            dialog.Close(IDCANCEL);
        }, ScriptStart::AtOnce), IDCANCEL);
    }
}
