// Faces named in several languages, on one profile that runs of this program
// in Japanese (code page 932), English (1252) and Russian (1251) share, one
// after the other: a choice made under one holds under the others, whichever
// of its names a driver asks by.
#include "dialog_session.h"

#include "common/ansi_text.h"
#include "store/policy.h"
#include "tests/support/glyphor_library.h"
#include "tests/support/test_fonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The generated faces, as their name tables name them.
const std::wstring kGothic = L"Glyphor Gothic";
const std::wstring kGothicJapanese = L"\u30B0\u30EA\u30D5\u30A9 \u30B4\u30B7\u30C3\u30AF";
const std::wstring kSerifItalic = L"Glyphor Serif Italic";
const std::wstring kSerifItalicRussian =
    L"\u0413\u043B\u0438\u0444\u043E\u0440 \u0410\u043D\u0442\u0438\u043A\u0432\u0430 \u041A\u0443\u0440\u0441\u0438\u0432";
const std::wstring kSongBold = L"\u683C\u5229\u798F\u5B8B\u4F53 \u7C97\u4F53"; // named in Chinese alone
const std::wstring kCafe = L"Caf\u00E9 Probe";
const std::wstring kCafeUnaccented = L"Cafe Probe";

// The profile the runs share, which the test's environment names.
std::string SharedProfile()
{
    char path[512] = {};
    ::GetEnvironmentVariableA("KYREG8_PROFILE_KEY", path, sizeof path);
    return path;
}

// The face the font service takes in place of a name no face goes by.
std::wstring FallbackFor(const wchar_t* name)
{
    const UniqueScreenDC screen(::GetDC(nullptr));
    const UniqueHFont font(::CreateFontW(0, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, name));
    SelectedObject selected(screen.get(), font.get());
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(screen.get(), LF_FACESIZE, face);
    return face;
}

} // namespace

class Languages : public ::testing::Test {
protected:
    // Both queries agree on the face's embedding switch, the ANSI one where the
    // code page spells the name.
    bool EmbeddingOn(const std::wstring& face) const
    {
        const bool on = glyphor.IsEnabledForFacenameW(face.c_str(), false);
        const std::string ansi = Narrowed(face);
        if (Widened(ansi) == face) {
            EXPECT_EQ(glyphor.IsEnabledForFacename(ansi.c_str(), false), on) << ansi;
        }
        return on;
    }

    // Unchecks `off` in the dialog, which lists no vertical form, and saves with OK.
    void SwitchOffInDialog(const std::vector<std::wstring>& off) const
    {
        EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
            const FontList list = dialog.List();
            const std::vector<std::wstring> faces = list.WideFaces();
            EXPECT_EQ(std::count_if(faces.begin(), faces.end(), [](const std::wstring& face) { return face[0] == L'@'; }),
                      0) << "vertical forms";
            for (const std::wstring& face : off)
                list.SetChecked(list.Require(face), false);
            dialog.Close(IDOK);
        }), IDOK);
    }

    const PrivateFonts fonts{ProgramDirectory() + "\\testfonts\\languages"};
    const GlyphorLibrary glyphor{SharedProfile()};
};

// The first run. Under Japanese the faces are listed by their Japanese
// names, and their vertical forms not at all; the accented face is listed
// whole, and its switch is its own. A policy naming the English name holds.
TEST_F(Languages, JapaneseChoices)
{
    ASSERT_EQ(::GetACP(), 932u);
    DeleteTree(SharedProfile());
    CreateKey(SharedProfile() + "\\General\\t2embed");
    CreateKey(SharedProfile() + "\\General\\t2tessellate");
    SwitchOffInDialog({kGothicJapanese, kGothicJapanese + L" Italic", kCafe});
    EXPECT_FALSE(EmbeddingOn(kGothicJapanese));
    EXPECT_FALSE(EmbeddingOn(kGothic + L" Italic")) << "by its English name, which the font service takes for another";
    EXPECT_FALSE(EmbeddingOn(L"@" + kGothicJapanese)) << "the vertical form";
    EXPECT_FALSE(EmbeddingOn(kCafe));
    EXPECT_TRUE(EmbeddingOn(kCafeUnaccented));

    ScopedPolicy policy;
    policy.SetList(ScopedPolicy::kMachine, ScopedPolicy::ListKey(kEmbedNeverList), {kGothic + L" Bold"});
    const std::wstring bold = kGothicJapanese + L" Bold";
    EXPECT_TRUE(WithinASecond([&] { return !glyphor.IsEnabledForFacenameW(bold.c_str(), false); }));
    EXPECT_FALSE(EmbeddingOn(bold));
}

// Under English the faces switched off under Japanese are off by the names
// the font service gives them here, the outline metrics' and enumeration's
// full name and, for a regular face, the LOGFONT's too; a face named in
// Chinese alone is listed and switched.
TEST_F(Languages, EnglishChoices)
{
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_FALSE(EmbeddingOn(kGothic));
    EXPECT_FALSE(EmbeddingOn(kGothic + L" Italic"));
    EXPECT_TRUE(EmbeddingOn(kCafeUnaccented));
    SwitchOffInDialog({kSongBold, kSerifItalic});
    EXPECT_FALSE(EmbeddingOn(kSongBold));
    EXPECT_FALSE(EmbeddingOn(kSerifItalic));

    // The policy for any of a face's names holds over the list, the machine's
    // over the user's; the face the font service takes for a name no face
    // goes by keeps its own switch.
    const std::wstring fallback = FallbackFor(L"No Face Goes By This");
    WriteDwordZero(SharedProfile() + "\\General\\t2embed", fallback);
    ScopedPolicy policy;
    policy.SetList(ScopedPolicy::kMachine, ScopedPolicy::ListKey(kEmbedNeverList), {L"Glyphor Serif Bold"});
    policy.SetList(ScopedPolicy::kUser, ScopedPolicy::ListKey(kEmbedAlwaysList),
                   {kSerifItalicRussian, kSerifItalicRussian.substr(0, 14) + L" \u041F\u043E\u043B\u0443\u0436\u0438\u0440\u043D\u044B\u0439"});
    EXPECT_TRUE(WithinASecond([&] { return glyphor.IsEnabledForFacenameW(kSerifItalic.c_str(), false); }));
    EXPECT_FALSE(EmbeddingOn(L"Glyphor Serif Bold"));
    EXPECT_FALSE(EmbeddingOn(fallback));
    EXPECT_TRUE(EmbeddingOn(L"No Face Goes By This"));
}

// Under Russian every choice of the others holds, asked by the names of this
// locale, and the dialog shows them so.
TEST_F(Languages, RussianChoices)
{
    ASSERT_EQ(::GetACP(), 1251u);
    EXPECT_FALSE(EmbeddingOn(kSerifItalicRussian));
    EXPECT_FALSE(EmbeddingOn(kGothic));
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        for (const std::wstring& face : {kSerifItalicRussian, kGothic, kCafe, kSongBold})
            EXPECT_FALSE(list.Checked(list.Require(face))) << Narrowed(face, CP_UTF8);
        EXPECT_TRUE(list.Checked(list.Require(kCafeUnaccented)));
        dialog.Close(IDCANCEL);
    }), IDCANCEL);
}

TEST(LanguagesCleanup, TheSharedProfileIsRemoved)
{
    DeleteTree(SharedProfile());
    EXPECT_FALSE(KeyExists(SharedProfile()));
}
