#include "dialog_test.h"

#include "tests/support/resource_text.h"

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

// By fsType: where a face sets more than one usage permission, the least
// restrictive is named, and "A check allows" agrees with it.
void ExpectWordsOfTheirFaces(const FontList& list)
{
    const struct {
        unsigned fsType;
        const char* face;
        const char* allows;
        const char* licence;
    } expected[] = {
        {0, kSans, "embedding", "installable"},
        {2, kRestricted, "tessellation", "restricted"},
        {4, kPreview, "embedding", "preview & print"},
        {6, "Glyphor Test Mixed", "embedding", "preview & print"},
        {8, "Glyphor Test Editable", "embedding", "editable"},
        {10, "Glyphor Test Usage 10", "embedding", "editable"},
        {12, "Glyphor Test Usage 12", "embedding", "editable"},
        {14, "Glyphor Test Usage 14", "embedding", "editable"},
        {258, "Glyphor Test NoSubset", "embedding", "restricted, no subsetting"},
        {0x104, "Glyphor Test Usage 260", "embedding", "preview & print, no subsetting"},
        {0x202, "Glyphor Test Bitmaps", "embedding", "restricted, bitmaps only"},
        {0x20C, "Glyphor Test Usage 524", "embedding", "editable, bitmaps only"},
    };
    for (const auto& row : expected) {
        const int item = list.Require(row.face);
        EXPECT_EQ(std::make_pair(list.Text(item, 1), list.Text(item, 2)), std::make_pair(std::string(row.allows), std::string(row.licence)))
            << row.face << ", fsType 0x" << std::hex << row.fsType;
    }
}

void AnswerFailureBox(const DialogWindow& dialog, int faces, const std::wstring& reason)
{
    const MessageBoxWindow box = dialog.WaitForMessageBox();
    const std::wstring text = box.Text();
    EXPECT_FALSE(reason.empty());
    const std::wstring opening = faces < 0 ? L"The fonts could not be reset to the defaults: "
                                           : L"Fonts whose switches could not be saved: " + std::to_wstring(faces) +
                                                 L"\r\nReason: ";
    EXPECT_EQ(text.substr(0, opening.size() + reason.size()), opening + reason) << text;
    EXPECT_TRUE(box.HasButton(IDOK)) << text;
    box.Answer(IDOK);
}

std::wstring NoSettingsPlace()
{
    const UniqueHModule resources(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    return ResourceString(resources.get(), IDS_NO_SETTINGS_PLACE);
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
