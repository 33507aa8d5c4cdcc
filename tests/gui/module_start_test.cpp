// Start-up of the library: its resource library missing, or lacking a part.
#include "child_process.h"
#include "dialog_test.h"
#include "window_search.h"

#include <algorithm>
#include <functional>

namespace {

// A resource library variant, loaded by full path before Glyphor.dll so that
// the library's load of "GlyphorRes.dll" by bare name returns it.
UniqueHModule LoadResourceVariant(const char* variant)
{
    if (::GetModuleHandleA("GlyphorRes.dll"))
        throw std::runtime_error("a resource library is still loaded");
    const std::string path = ProgramDirectory() + "\\resvariants\\" + variant + "\\GlyphorRes.dll";
    UniqueHModule module(::LoadLibraryA(path.c_str()));
    if (!module)
        throw std::runtime_error("cannot load " + path);
    return module;
}

} // namespace

TEST(ModuleStart, MissingResourceLibraryFailsTheLoadAfterOneMessage)
{
    ScopedProfile profile("dialog_tests.ModuleStart.Missing");
    ScopedEnvironment profileKey("KYREG8_PROFILE_KEY", profile.Path().c_str());
    const std::string folder = ProgramDirectory() + "\\nores";
    ChildProcess driver("\"" + folder + "\\GlyphorDriver.exe\" cold-start", folder);

    const MessageBoxWindow box = WaitForMessageBox(driver.Id(), 0, nullptr);
    EXPECT_EQ(box.Text(), "GlyphorRes.dll not found");
    EXPECT_TRUE(box.HasButton(IDOK));
    box.Answer(IDOK);

    int furtherBoxes = 0;
    while (!driver.WaitForExit(2000)) {
        HWND another = FindDialogWindow(driver.Id(), 0, nullptr, nullptr);
        if (!another || ++furtherBoxes > 3)
            break;
        ::PostMessageA(another, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(furtherBoxes, 0) << "the message comes once";
    ASSERT_TRUE(driver.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(driver.ExitCode(), 1u) << "the driver could not load the library";
    EXPECT_EQ(SubkeyNames(profile.Path()), std::vector<std::string>{});
}

// A resource library planted where the search by bare name finds it, whose
// entry point refuses every load that runs it, still serves the dialog.
TEST(ModuleStart, PlantedResourceLibraryRunsNoCodeYetServesTheDialog)
{
    const std::string folder = ProgramDirectory() + "\\planted";
    EXPECT_FALSE(UniqueHModule(::LoadLibraryA((folder + "\\GlyphorRes.dll").c_str()))) << "its entry point ran";
    ScopedProfile profile("dialog_tests.ModuleStart.Planted");
    profile.CreateLists();
    ScopedEnvironment profileKey("KYREG8_PROFILE_KEY", profile.Path().c_str());
    ChildProcess driver("\"" + folder + "\\GlyphorDriver.exe\" dialog", folder);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindDialogWindow(driver.Id(), 0, nullptr, "TrueType Fonts")); },
                          kWindowTimeoutMs));
    char label[64] = {};
    ::GetDlgItemTextA(dialog, IDC_FONT_LIST_CAPTION, label, sizeof label);
    EXPECT_STREQ(label, "Fonts") << "the planted template";
    ::PostMessageA(dialog, WM_COMMAND, IDC_DEFAULTS_BTN, 0);
    const MessageBoxWindow box = WaitForMessageBox(driver.Id(), 0, dialog);
    EXPECT_EQ(box.Text(), "Reset to the defaults?") << "the planted strings";
    box.Answer(IDNO);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(driver.WaitForExit(kWindowTimeoutMs));
}

class ResourceVariants : public DialogTest {
protected:
    // Runs the dialog with `variant` as the resource library, on a profile
    // with both lists, which must come out as they went in but for `checked`,
    // a face of the embedding list that the script checks. True when the
    // dialog opened.
    bool RunWithVariant(const char* variant, const std::function<void(const DialogWindow&)>& script,
                        const std::string& checked = "")
    {
        FillStore({kSans}, {kRestricted});
        StoreContents expected = ReadStore(profile);
        expected.embed.erase(std::remove(expected.embed.begin(), expected.embed.end(), checked), expected.embed.end());
        UniqueHModule resources = LoadResourceVariant(variant);
        GlyphorLibrary glyphor(profile.Path());
        EXPECT_EQ(::GetModuleHandleA("GlyphorRes.dll"), resources.get()) << "the library took the variant";
        const bool opened = RunDialogSession(glyphor, script);
        EXPECT_EQ(ReadStore(profile), expected);
        return opened;
    }
};

TEST_F(ResourceVariants, WithoutTheTemplateTheDialogDoesNotOpen)
{
    EXPECT_FALSE(RunWithVariant("no_template", [](const DialogWindow& dialog) { dialog.Close(IDOK); }));
}

TEST_F(ResourceVariants, WithoutTheListTheDialogOpensAndWritesNothing)
{
    EXPECT_TRUE(RunWithVariant("no_list", [](const DialogWindow& dialog) {
        EXPECT_EQ(dialog.Control(IDC_FONT_LIST), nullptr);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.Press(IDC_CHECK_ALL_BTN);
        dialog.Close(IDOK);
    }));
}

TEST_F(ResourceVariants, WithoutTheStringsTheQuestionIsAskedEmpty)
{
    EXPECT_TRUE(RunWithVariant("no_strings", [](const DialogWindow& dialog) {
        EXPECT_GT(dialog.List().Count(), 0);
        dialog.PressLater(IDC_DEFAULTS_BTN);
        const MessageBoxWindow box = dialog.WaitForMessageBox();
        EXPECT_EQ(box.Text(), "");
        EXPECT_EQ(box.Caption(), "");
        box.Answer(IDNO);
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(ResourceVariants, AnOwnerDataListIsTakenForNone)
{
    EXPECT_TRUE(RunWithVariant("owner_data", [](const DialogWindow& dialog) {
        EXPECT_EQ(dialog.List().Count(), 0);
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.Close(IDOK);
    }));
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
