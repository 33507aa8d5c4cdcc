#include "dialog_test.h"

#include "dialog/message_text.h"

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

void AnswerFailureBox(const DialogWindow& dialog, int faces, LONG error)
{
    const MessageBoxWindow box = dialog.WaitForMessageBox();
    const std::string text = box.Text();
    const std::string opening = faces < 0 ? "The fonts could not be reset to the defaults: "
                                          : "The switches of " + std::to_string(faces) + " fonts could not be saved: ";
    EXPECT_EQ(text.substr(0, opening.size()), opening) << text;
    EXPECT_NE(text.find(SystemErrorText(error)), std::string::npos) << text;
    EXPECT_TRUE(box.HasButton(IDOK)) << text;
    box.Answer(IDOK);
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
