// The defaults button with its question, and help.
#include "dialog_test.h"
#include "window_search.h"

#include "dialog/message_text.h"
#include "framework/dialog_help_ids.h"
#include "tests/support/import_hook.h"
#include "tests/support/resource_text.h"
#include "resources/help_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

using DefaultsButton = DialogTest;

TEST_F(DefaultsButton, AnsweredNoChangesNothing)
{
    FillStore({kSans}, {kRestricted});
    const StoreContents before = ReadStore(profile);
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        list.SetChecked(list.Require(kPreview), false);
        const std::map<std::string, bool> states = list.CheckStates();
        dialog.PressLater(IDC_DEFAULTS_BTN);
        dialog.WaitForMessageBox().Answer(IDNO);
        dialog.Sync();
        EXPECT_EQ(list.CheckStates(), states);
        EXPECT_EQ(ReadStore(profile), before);
        dialog.Close(IDCANCEL);
    }));
    EXPECT_EQ(ReadStore(profile), before);
}

TEST_F(DefaultsButton, AnsweredYesRebuildsTheStoreAndTheCheckBoxes)
{
    FillStore({kSans, "Not Installed Face"}, {kRestricted});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        dialog.Press(IDC_CLEAR_ALL_BTN);
        dialog.PressLater(IDC_DEFAULTS_BTN);
        dialog.WaitForMessageBox().Answer(IDYES);
        dialog.Sync();
        const StoreContents store = ReadStore(profile);
        EXPECT_TRUE(HoldsDefaults(profile)) << store;
        const std::map<std::string, bool> states = list.CheckStates();
        EXPECT_TRUE(states.at(kSans)) << "no longer listed";
        EXPECT_TRUE(states.at(kRestricted)) << "no longer listed";
        for (const auto& [face, checked] : states)
            EXPECT_EQ(checked, !IsDefaultFace(face)) << face;
        dialog.Close(IDCANCEL);
    }));
    EXPECT_TRUE(HoldsDefaults(profile)) << "Cancel keeps the defaults\n" << ReadStore(profile);
}

// A reset that fails, for want of General or because writes are refused,
// says so; the list then shows the store as it is.
TEST_F(DefaultsButton, AResetThatFailsSaysSoAndShowsTheStore)
{
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        list.SetChecked(list.Require(kSans), false);
        dialog.PressLater(IDC_DEFAULTS_BTN);
        dialog.WaitForMessageBox().Answer(IDYES);
        AnswerFailureBox(dialog, -1, NoSettingsPlace());
        for (const auto& [face, checked] : list.CheckStates())
            EXPECT_TRUE(checked) << face << ": without lists every switch is on";
        dialog.Close(IDCANCEL);
    }));
    EXPECT_EQ(SubkeyNames(profile.Path()), std::vector<std::string>{}) << "a key was created";

    FillStore({}, {kRestricted});
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        list.SetChecked(list.Require(kSans), false);
        RegistryWriteFailure failure(glyphor.Module(), 0);
        dialog.PressLater(IDC_DEFAULTS_BTN);
        dialog.WaitForMessageBox().Answer(IDYES);
        AnswerFailureBox(dialog, -1, SystemErrorText(ERROR_ACCESS_DENIED));
        const std::map<std::string, bool> states = list.CheckStates();
        EXPECT_TRUE(states.at(kSans)) << "as the store holds it";
        EXPECT_FALSE(states.at(kRestricted)) << "as the store holds it";
        dialog.Close(IDCANCEL);
    }));
}

TEST_F(DefaultsButton, QuestionComesFromTheResourceLibrary)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    const UniqueHModule library(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HMODULE resources = library.get();
    ASSERT_NE(resources, nullptr);
    const std::wstring prompt = ResourceString(resources, IDS_RESET_PROMPT);
    const std::wstring caption = ResourceString(resources, IDS_RESET_CAPTION);
    ASSERT_FALSE(prompt.empty() || caption.empty());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        dialog.PressLater(IDC_DEFAULTS_BTN);
        const MessageBoxWindow box = dialog.WaitForMessageBox();
        EXPECT_EQ(box.Text(), prompt);
        EXPECT_EQ(box.Caption(), caption);
        EXPECT_EQ(::GetWindow(box.Handle(), GW_OWNER), dialog.Handle()) << "owned by the dialog";
        EXPECT_TRUE(box.HasButton(IDYES) && box.HasButton(IDNO)) << "Yes and No";
        EXPECT_FALSE(box.HasButton(IDOK) || box.HasButton(IDCANCEL)) << "nothing but Yes and No";
        EXPECT_EQ(box.Icon(), ::LoadIconA(nullptr, IDI_EXCLAMATION)) << "the exclamation icon";
        EXPECT_EQ(box.DefaultButton(), IDNO) << "Enter keeps the user's choices";
        box.Answer(IDNO);
        dialog.Close(IDCANCEL);
    }));
}

namespace {

// The help calls the host received, one line each, gathered in a file.
class HelpLog {
public:
    HelpLog() : m_path(LogPath()), m_environment("KYREG8_HELP_LOG", m_path.c_str()) { std::remove(m_path.c_str()); }
    HelpLog(const HelpLog&) = delete;
    HelpLog& operator=(const HelpLog&) = delete;
    ~HelpLog() { std::remove(m_path.c_str()); }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::ifstream log(m_path);
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines;
    }

private:
    static std::string LogPath()
    {
        char folder[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, folder);
        return std::string(folder) + "glyphor_dialog_tests_help.log";
    }

    std::string m_path;
    ScopedEnvironment m_environment;
};

std::string HexHandle(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

} // namespace

using Help = DialogTest;

TEST_F(Help, ButtonAndContextHelpReachTheHost)
{
    HelpLog log;
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    std::vector<std::string> expected;
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        dialog.Press(IDC_HELP_BTN);
        expected.push_back(HexHandle(dialog.Handle()) + "\tDRV_KVF.HLP\tFont_Handling_drv_kvf\t0");

        // F1 on a control asks for its help, with the number the template
        // gives it.
        for (const auto& [id, helpId] : {std::pair{IDC_FONT_LIST, HIDC_FONT_LIST}, std::pair{IDC_FIND_BOX, HIDC_FIND_BOX}}) {
            dialog.PressKeyOn(id, VK_F1);
            WaitUntil([&, lines = expected.size() + 1] { return log.Lines().size() == lines; }, 3000);
            expected.push_back(HexHandle(dialog.Control(id)) + "\tDRV_KVF.HLP\t" + std::to_string(helpId) + "\t8");
        }

        // A request for any control passes that control and its number on.
        HELPINFO request{};
        request.cbSize = sizeof request;
        request.iContextType = HELPINFO_WINDOW;
        request.iCtrlId = IDOK;
        request.hItemHandle = dialog.Control(IDOK);
        request.dwContextId = 4242;
        ::SendMessageA(dialog.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        expected.push_back(HexHandle(dialog.Control(IDOK)) + "\tDRV_KVF.HLP\t4242\t8");

        // Without a request there is nothing to look up: handled, and the host hears nothing.
        EXPECT_EQ(::SendMessageA(dialog.Handle(), WM_HELP, 0, 0), TRUE);
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Close(IDCANCEL);
    }));
    EXPECT_EQ(log.Lines(), expected);
}

TEST_F(Help, DialogWorksWhenTheHostHasNoApplicationKey)
{
    ScopedEnvironment throws("KYREG8_APP_KEY_THROWS", "1");
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        EXPECT_GT(list.Count(), 0);
        list.SetChecked(list.Require(kSans), false);
        dialog.Close(IDOK);
    }));
    EXPECT_TRUE(ReadStore(profile).Embeds(kSans)) << ReadStore(profile);
}

namespace {

void ReleaseRegion(void* region) noexcept { ::VirtualFree(region, 0, MEM_RELEASE); }

} // namespace

// Truncated copies of the template, each ending where an unreadable page
// begins, give no help numbers and read nothing past their end.
TEST(TemplateHelpIds, TruncatedTemplateGivesNone)
{
    const UniqueHModule resources(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HRSRC found = ::FindResourceA(resources.get(), MAKEINTRESOURCEA(IDD_FONT_SELECT), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const void* whole = ::LockResource(::LoadResource(resources.get(), found));
    const size_t size = ::SizeofResource(resources.get(), found), page = 4096, readable = (size / page + 1) * page;
    const UniqueHandle<void*, &ReleaseRegion> region(
        ::VirtualAlloc(nullptr, readable + page, MEM_COMMIT, PAGE_READWRITE));
    BYTE* const end = static_cast<BYTE*>(region.get()) + readable;
    DWORD protection = 0;
    ASSERT_TRUE(::VirtualProtect(end, page, PAGE_NOACCESS, &protection));
    for (size_t length = 0; length <= size; ++length) {
        const DialogHelpIds ids = ReadDialogHelpIds(std::memcpy(end - length, whole, length), length);
        EXPECT_EQ(ids.controls.size(), length == size ? 15u : 0u) << length << " of " << size;
    }
    const auto controls = ReadDialogHelpIds(whole, size).controls;
    EXPECT_NE(std::find(controls.begin(), controls.end(), std::make_pair(DWORD{IDC_FONT_LIST}, DWORD{HIDC_FONT_LIST})),
              controls.end());
}
