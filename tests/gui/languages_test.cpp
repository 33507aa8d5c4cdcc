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

int CALLBACK KeepRegular(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM regular)
{
    if (font->lfWeight != FW_NORMAL || font->lfItalic)
        return 1;
    *reinterpret_cast<ENUMLOGFONTEXW*>(regular) = *reinterpret_cast<const ENUMLOGFONTEXW*>(font);
    return 0;
}

// The names a driver may ask for a family's regular face by: the
// enumeration's full name and LOGFONT name, and the face name of the outline
// metrics of the font it makes of that report.
std::vector<std::wstring> WaysToAsk(const std::wstring& family)
{
    ENUMLOGFONTEXW regular{};
    regular.elfLogFont.lfCharSet = DEFAULT_CHARSET;
    family.copy(regular.elfLogFont.lfFaceName, LF_FACESIZE - 1);
    const UniqueScreenDC screen(::GetDC(nullptr));
    LOGFONTW request = regular.elfLogFont;
    ::EnumFontFamiliesExW(screen.get(), &request, &KeepRegular, reinterpret_cast<LPARAM>(&regular), 0);
    std::vector<std::wstring> names = {regular.elfFullName, regular.elfLogFont.lfFaceName};
    const UniqueHFont made(::CreateFontIndirectW(&regular.elfLogFont));
    SelectedObject selected(screen.get(), made.get());
    std::vector<BYTE> metrics(::GetOutlineTextMetricsW(screen.get(), 0, nullptr));
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICW*>(metrics.data());
    if (!metrics.empty() && ::GetOutlineTextMetricsW(screen.get(), static_cast<UINT>(metrics.size()), outline))
        names.emplace_back(reinterpret_cast<const wchar_t*>(metrics.data() + reinterpret_cast<UINT_PTR>(outline->otmpFaceName)));
    return names;
}

// Unchecks `off` in the dialog and saves with OK.
void SwitchOffInDialog(const GlyphorLibrary& glyphor, const std::vector<std::wstring>& off)
{
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        for (const std::wstring& face : off)
            list.SetChecked(list.Require(face), false);
        dialog.Close(IDOK);
    }), IDOK);
}

} // namespace

class Languages : public ::testing::Test {
protected:
    // The dialog speaks English, whose count line the session reads, in every
    // run: the names are what the runs' locales change.
    Languages() { ::SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, L"en-US\0", nullptr); }
    ~Languages() override { ::SetThreadPreferredUILanguages(0, nullptr, nullptr); }

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

    const PrivateFonts fonts{ProgramDirectory() + "\\testfonts\\languages"};
    const GlyphorLibrary glyphor{SharedProfile()};
};

TEST(LanguagesSetup, TheSharedProfileStartsWithEmptyLists)
{
    DeleteTree(SharedProfile());
    CreateKey(SharedProfile() + "\\General\\t2embed");
    CreateKey(SharedProfile() + "\\General\\t2tessellate");
}

// Under Japanese the faces are listed by their Japanese names, and their
// vertical forms not at all; the accented face is listed whole, and its
// switch is its own. A policy naming the English name holds.
TEST_F(Languages, JapaneseChoices)
{
    ASSERT_EQ(::GetACP(), 932u);
    EXPECT_EQ(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const std::vector<std::wstring> faces = dialog.List().WideFaces();
        for (const std::wstring& face : {kGothicJapanese, kCafe, kCafeUnaccented})
            EXPECT_NE(std::find(faces.begin(), faces.end(), face), faces.end()) << Narrowed(face, CP_UTF8);
        EXPECT_EQ(std::count_if(faces.begin(), faces.end(), [](const std::wstring& face) { return face[0] == L'@'; }), 0);
        dialog.Close(IDCANCEL);
    }), IDCANCEL);
    SwitchOffInDialog(glyphor, {kGothicJapanese, kCafe});
    EXPECT_FALSE(EmbeddingOn(kGothicJapanese));
    EXPECT_FALSE(EmbeddingOn(L"@" + kGothicJapanese)) << "the vertical form";
    EXPECT_FALSE(EmbeddingOn(kCafe));
    EXPECT_TRUE(EmbeddingOn(kCafeUnaccented));

    ScopedPolicy policy;
    policy.SetList(ScopedPolicy::kMachine, ScopedPolicy::ListKey(kEmbedNeverList), {kGothic + L" Bold"});
    const std::wstring bold = kGothicJapanese + L" Bold";
    EXPECT_TRUE(WithinASecond([&] { return !glyphor.IsEnabledForFacenameW(bold.c_str(), false); }));
    EXPECT_FALSE(EmbeddingOn(bold));
}

// Under English the face switched off under Japanese is off whichever way a
// driver asks; a face named in Chinese alone is listed and switched.
TEST_F(Languages, EnglishChoices)
{
    ASSERT_EQ(::GetACP(), 1252u);
    const std::vector<std::wstring> ways = WaysToAsk(kGothic);
    ASSERT_EQ(ways.size(), 3u);
    for (const std::wstring& name : ways) {
        EXPECT_EQ(name, kGothic);
        EXPECT_FALSE(EmbeddingOn(name));
    }
    EXPECT_TRUE(EmbeddingOn(kCafeUnaccented));
    SwitchOffInDialog(glyphor, {kSongBold, kSerifItalic});
    EXPECT_FALSE(EmbeddingOn(kSongBold));
    EXPECT_FALSE(EmbeddingOn(kSerifItalic));
}

// Under Russian every choice of the others holds, asked by the names of this
// locale, and the dialog shows them so.
TEST_F(Languages, RussianChoices)
{
    ASSERT_EQ(::GetACP(), 1251u);
    EXPECT_FALSE(EmbeddingOn(kSerifItalicRussian));
    EXPECT_FALSE(EmbeddingOn(kGothic));
    EXPECT_TRUE(EmbeddingOn(kCafeUnaccented));
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
