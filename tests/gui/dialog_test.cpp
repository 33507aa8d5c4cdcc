#include "dialog_test.h"

namespace {

std::string CurrentTestName()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("dialog_tests.") + test->test_suite_name() + "." + test->name();
}

} // namespace

const char kSans[] = "Glyphor Test Sans";
const char kSansBold[] = "Glyphor Test Sans Bold";
const char kRestricted[] = "Glyphor Test Restricted";
const char kPreview[] = "Glyphor Test Preview";

void ExpectWordsOfTheirFaces(const FontList& list)
{
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {kSans, {"embedding", "installable"}},
        {kRestricted, {"tessellation", "restricted"}},
        {kPreview, {"embedding", "preview & print"}},
        {"Glyphor Test Editable", {"embedding", "editable"}},
        {"Glyphor Test NoSubset", {"embedding", "restricted, no subsetting"}},
        {"Glyphor Test Bitmaps", {"embedding", "restricted, bitmaps only"}},
    };
    for (const auto& [face, words] : expected)
        EXPECT_EQ(std::make_pair(list.Text(list.Require(face), 1), list.Text(list.Require(face), 2)), words) << face;
}

DialogTest::DialogTest() : profile(CurrentTestName()) {}

void DialogTest::FillStore(std::initializer_list<const char*> embedded,
                           std::initializer_list<const char*> tessellated) const
{
    profile.CreateLists();
    for (const char* face : embedded)
        WriteDwordZero(profile.EmbedList(), face);
    for (const char* face : tessellated)
        WriteDwordZero(profile.TessellateList(), face);
}
