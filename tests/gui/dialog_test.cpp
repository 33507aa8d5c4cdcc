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
