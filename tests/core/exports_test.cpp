// The library's exports as the driver calls them: loaded by name, for a
// profile of the test's own.
#include "tests/support/glyphor_library.h"
#include "tests/support/import_hook.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kDefaults[] = {
    "Arial", "Arial Black", "Comic Sans MS", "Courier New", "Impact", "Lucinda Console", "Lucinda Sans Unicode",
    "Marlett", "Tahoma", "Tahoma Bold", "Times New Roman", "Times New Roman Bold", "Times New Roman Bold Italic",
    "Times New Roman Italic", "Verdana", "Verdana Bold", "Verdana Bold Italic", "Verdana Italic", "Webdings",
    "Wingdings",
};

} // namespace

TEST(Exports, QueryReadsOnlyWhetherTheValueExists)
{
    ScopedProfile profile("Exports.Query");
    profile.CreateGeneral();
    WriteValue(profile.EmbedList(), "Face Dword", REG_DWORD, {1, 0, 0, 0});
    WriteValue(profile.EmbedList(), "Face String", REG_SZ, {'x', 0});
    WriteValue(profile.EmbedList(), "Face Binary", REG_BINARY, {});
    WriteValue(profile.TessellateList(), "Face Tessellated", REG_MULTI_SZ, {0, 0});
    GlyphorLibrary glyphor(profile.Path());

    for (const char* face : {"Face Dword", "Face String", "Face Binary"}) {
        EXPECT_FALSE(glyphor.IsEnabledForFacename(face, false)) << face;
        EXPECT_TRUE(glyphor.IsEnabledForFacename(face, true)) << face;
    }
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Face Tessellated", true));
    EXPECT_TRUE(glyphor.IsEnabledForFacename("Face Tessellated", false));
    EXPECT_TRUE(glyphor.IsEnabledForFacename("Unlisted", false));
    EXPECT_TRUE(glyphor.IsEnabledForFacename(nullptr, false));
}

TEST(Exports, DefaultsLeaveExactlyTheTwentyNames)
{
    ScopedProfile profile("Exports.Defaults");
    profile.CreateGeneral();
    WriteDwordZero(profile.EmbedList(), "User Embed Choice");
    WriteDwordZero(profile.TessellateList(), "User Tessellate Choice");
    GlyphorLibrary glyphor(profile.Path());

    EXPECT_EQ(glyphor.SetAllToDefaults(), ERROR_SUCCESS);

    std::vector<std::string> embed = ValueNames(profile.EmbedList());
    std::sort(embed.begin(), embed.end());
    std::vector<std::string> expected(std::begin(kDefaults), std::end(kDefaults));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(embed, expected);
    EXPECT_TRUE(KeyExists(profile.TessellateList()));
    EXPECT_TRUE(ValueNames(profile.TessellateList()).empty());
    for (const char* face : kDefaults) {
        RegistryValue value = ReadValue(profile.EmbedList(), face);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << face;
        EXPECT_EQ(value.data, (std::vector<BYTE>{0, 0, 0, 0})) << face;
    }
    EXPECT_FALSE(glyphor.IsColdStart());
}
