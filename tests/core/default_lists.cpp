#include "default_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Spelled as profiles in the field store them, misspellings included.
const char* const kDefaultNames[] = {
    "Arial", "Arial Black", "Comic Sans MS", "Courier New", "Impact", "Lucinda Console", "Lucinda Sans Unicode",
    "Marlett", "Tahoma", "Tahoma Bold", "Times New Roman", "Times New Roman Bold", "Times New Roman Bold Italic",
    "Times New Roman Italic", "Verdana", "Verdana Bold", "Verdana Bold Italic", "Verdana Italic", "Webdings",
    "Wingdings",
};

} // namespace

void ExpectDefaultLists(const ScopedProfile& profile)
{
    EXPECT_TRUE(KeyExists(profile.TessellateList()));
    EXPECT_EQ(ValueNames(profile.TessellateList()), std::vector<std::string>{});
    EXPECT_EQ(SubkeyNames(profile.TessellateList()), std::vector<std::string>{});
    EXPECT_EQ(SubkeyNames(profile.EmbedList()), std::vector<std::string>{});

    std::vector<std::string> embed = ValueNames(profile.EmbedList());
    std::sort(embed.begin(), embed.end());
    std::vector<std::string> expected(std::begin(kDefaultNames), std::end(kDefaultNames));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(embed, expected);
    for (const char* face : kDefaultNames) {
        RegistryValue value = ReadValue(profile.EmbedList(), face);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << face;
        EXPECT_EQ(value.data, (std::vector<BYTE>{0, 0, 0, 0})) << face;
    }
}
