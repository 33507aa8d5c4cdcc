// Start-up of the library: its resource library missing, or lacking a part.
#include "child_process.h"
#include "dialog_test.h"
#include "window_search.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

std::string Folder(const char* name)
{
    return ProgramDirectory() + "\\" + name;
}

} // namespace

// Without its resource library the library loads all the same, and its store
// answers: only the dialog entry says the file is missing, once per call,
// and returns.
TEST(ModuleStart, MissingResourceLibraryIsToldByTheDialogEntryAlone)
{
    ScopedProfile profile("dialog_tests.ModuleStart.Missing");
    profile.CreateLists();
    ScopedEnvironment profileKey("KYREG8_PROFILE_KEY", profile.Path().c_str());
    const std::string folder = Folder("nores");
    for (const char* command : {"cold-start", "defaults", "query \"Glyphor Test Sans\""}) {
        ChildProcess driver("\"" + folder + "\\GlyphorDriver.exe\" " + command, folder);
        ASSERT_TRUE(driver.WaitForExit(kWindowTimeoutMs)) << command << ": a message box while loading?";
        EXPECT_EQ(driver.ExitCode(), 0u) << command;
    }
    EXPECT_TRUE(HoldsDefaults(profile)) << "the defaults were written";

    // Nor is it looked for in the current directory, where a file of its
    // name may be anyone's (here the build's own), whether the driver keeps
    // the library beside itself or loads it from another folder.
    const std::string elsewhere = "\"" + Folder("elsewhere") + "\\GlyphorDriver.exe\" --library \"" + folder + "\\Glyphor.dll\"";
    for (const std::string& driverCommand : {"\"" + folder + "\\GlyphorDriver.exe\"", elsewhere}) {
        for (const std::string& directory : {folder, ProgramDirectory()}) {
            SCOPED_TRACE(driverCommand + " in " + directory);
            ChildProcess driver(driverCommand + " dialog", directory);
            const MessageBoxWindow box = WaitForMessageBox(driver.Id(), 0, nullptr);
            EXPECT_EQ(box.Text(), L"GlyphorRes.dll not found");
            EXPECT_TRUE(box.HasButton(IDOK));
            box.Answer(IDOK);
            ASSERT_TRUE(driver.WaitForExit(kWindowTimeoutMs));
            EXPECT_EQ(driver.ExitCode(), 0u) << "the dialog entry returned";
        }
    }
}

// A driver that keeps the library in a folder of its own loads it with the
// altered search path: the library's imports and its resource library come
// from that folder, whatever the driver's folder and current directory hold.
TEST(ModuleStart, LibraryLoadedFromAnotherFolderFindsItsResources)
{
    ScopedProfile profile("dialog_tests.ModuleStart.Elsewhere");
    profile.CreateLists();
    ScopedEnvironment profileKey("KYREG8_PROFILE_KEY", profile.Path().c_str());
    const std::string folder = Folder("elsewhere");
    const std::string driver = "\"" + folder + "\\GlyphorDriver.exe\" --library \"" + ProgramDirectory() + "\\Glyphor.dll\" ";
    EXPECT_EQ(RunToEnd(driver + "query \"Glyphor Test Sans\""), 0u);

    ChildProcess dialogRun(driver + "dialog", folder);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindFontDialog(dialogRun.Id(), 0)); }, kWindowTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageA(::GetDlgItem(dialog, IDC_FONT_LIST), LVM_GETITEMCOUNT, 0, 0) > 0; },
                          kWindowTimeoutMs))
        << "the faces are listed";
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(dialogRun.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(dialogRun.ExitCode(), 0u);
}

// A resource library planted beside the library, whose entry point refuses
// every load that runs it, still serves the dialog.
TEST(ModuleStart, PlantedResourceLibraryRunsNoCodeYetServesTheDialog)
{
    const std::string folder = Folder("planted");
    EXPECT_FALSE(UniqueHModule(::LoadLibraryA((folder + "\\GlyphorRes.dll").c_str()))) << "its entry point ran";
    ScopedProfile profile("dialog_tests.ModuleStart.Planted");
    profile.CreateLists();
    ScopedEnvironment profileKey("KYREG8_PROFILE_KEY", profile.Path().c_str());
    ChildProcess driver("\"" + folder + "\\GlyphorDriver.exe\" dialog", folder);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindFontDialog(driver.Id(), 0)); }, kWindowTimeoutMs));
    char label[64] = {};
    ::GetDlgItemTextA(dialog, IDC_FONT_LIST_CAPTION, label, sizeof label);
    EXPECT_STREQ(label, "Fonts") << "the planted template";
    ::PostMessageA(dialog, WM_COMMAND, IDC_DEFAULTS_BTN, 0);
    const MessageBoxWindow box = WaitForMessageBox(driver.Id(), 0, dialog);
    EXPECT_EQ(box.Text(), L"Reset to the defaults?") << "the planted strings";
    box.Answer(IDNO);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(driver.WaitForExit(kWindowTimeoutMs));
}

class ResourceVariants : public DialogTest {
protected:
    // Runs the dialog of the library beside `variant`, its resource library,
    // on a profile with both lists, which must come out as they went in but
    // for `checked`, a face of the embedding list that the script checks.
    // What the dialog entry returned.
    int RunWithVariant(const char* variant, const std::function<void(const DialogWindow&)>& script,
                        const std::string& checked = "", ScriptStart start = ScriptStart::EveryFaceListed)
    {
        FillStore({kSans}, {kRestricted});
        StoreContents expected = ReadStore(profile);
        expected.embed.erase(std::remove(expected.embed.begin(), expected.embed.end(), checked), expected.embed.end());
        GlyphorLibrary glyphor(profile.Path(), ProgramDirectory() + "\\resvariants\\" + variant);
        const int result = RunDialogSession(glyphor, script, start);
        EXPECT_EQ(ReadStore(profile), expected);
        return result;
    }
};

TEST_F(ResourceVariants, WithoutTheTemplateTheDialogDoesNotOpen)
{
    EXPECT_EQ(RunWithVariant("no_template", [](const DialogWindow& dialog) { dialog.Close(IDOK); }), 0);
}

TEST_F(ResourceVariants, WithoutTheListTheDialogOpensAndWritesNothing)
{
    EXPECT_EQ(RunWithVariant("no_list", [](const DialogWindow& dialog) {
        EXPECT_EQ(dialog.Control(IDC_FONT_LIST), nullptr);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.Press(IDC_CHECK_ALL_BTN);
        dialog.Close(IDOK);
    }), IDOK);
}

TEST_F(ResourceVariants, WithoutTheStringsTheQuestionIsAskedEmpty)
{
    // Without its words the count line never says that every face is found.
    EXPECT_TRUE(RunWithVariant("no_strings", [](const DialogWindow& dialog) {
        EXPECT_TRUE(WaitUntil([&] { return dialog.List().Count() > 0; }, kWindowTimeoutMs));
        dialog.PressLater(IDC_DEFAULTS_BTN);
        const MessageBoxWindow box = dialog.WaitForMessageBox();
        EXPECT_EQ(box.Text(), L"");
        EXPECT_EQ(box.Caption(), L"");
        box.Answer(IDNO);
        dialog.Close(IDCANCEL);
    }, "", ScriptStart::AtOnce));
}

TEST_F(ResourceVariants, AnOwnerDataListIsTakenForNone)
{
    EXPECT_TRUE(RunWithVariant("owner_data", [](const DialogWindow& dialog) {
        EXPECT_EQ(dialog.List().Count(), 0);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.Close(IDOK);
    }));
}

// The resource library of the release before the preview gives the dialog
// without it: everything else works.
TEST_F(ResourceVariants, WithoutThePreviewTheDialogWorksAsBefore)
{
    EXPECT_TRUE(RunWithVariant("no_preview", [](const DialogWindow& dialog) {
        EXPECT_EQ(dialog.Control(IDC_FONT_PREVIEW), nullptr);
        EXPECT_EQ(dialog.Control(IDC_SAMPLE_BOX), nullptr);
        const FontList list = dialog.List();
        const int sans = list.Require(kSans);
        list.Select({sans}, sans);
        list.PressKey(VK_DOWN);
        list.Click(list.CheckBoxPoint(list.Require(kSans)));
        ExpectWordsOfTheirFaces(list);
        dialog.Close(IDOK);
    }, kSans));
}

// The list no longer sorts itself: each row keeps its face's words, and a
// click changes that face only.
TEST_F(ResourceVariants, AListThatSortsItselfShowsTheDialogsOrder)
{
    const auto checkSans = [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        list.ClickHeading(2);
        list.Click(list.CheckBoxPoint(list.Require(kSans)));
        ExpectWordsOfTheirFaces(list);
        dialog.Close(IDOK);
    };
    for (const char* variant : {"sort_ascending", "sort_descending"}) {
        SCOPED_TRACE(variant);
        EXPECT_TRUE(RunWithVariant(variant, checkSans, kSans));
    }
}
