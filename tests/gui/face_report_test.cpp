// The report of faces for administrators, GlyphorFaces.exe, run beside the
// library as an administrator runs it on a client: the faces installed there
// with what sets each of their switches.
#include "child_process.h"

#include "common/ansi_text.h"
#include "report/csv_table.h"
#include "store/policy.h"
#include "tests/support/registry_fixture.h"
#include "tests/support/test_fonts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

// The records of a report, as the file holds them after its byte order mark;
// empty when it has none.
std::wstring ReportRecords(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? Widened(bytes.substr(3), CP_UTF8) : std::wstring();
}

} // namespace

// Each switch's record names what sets it: the machine's policy over the
// user's, a policy over the user's own switch; and the program says when
// its file cannot be written.
TEST(FaceReport, EachFacesRecordNamesWhatSetsItsSwitches)
{
    ScopedProfile profile("dialog_tests.FaceReport");
    profile.CreateLists();
    WriteDwordZero(profile.EmbedList(), "Glyphor Test Preview");
    WriteDwordZero(profile.TessellateList(), "Glyphor Test Restricted");
    ScopedPolicy policy;
    policy.SetList(ScopedPolicy::kMachine, ScopedPolicy::ListKey(kEmbedNeverList), {L"Glyphor Test Sans"});
    policy.SetList(ScopedPolicy::kUser, ScopedPolicy::ListKey(kEmbedAlwaysList), {L"Glyphor Test Sans"});
    policy.SetList(ScopedPolicy::kUser, ScopedPolicy::ListKey(kTessellateAlwaysList), {L"glyphor test restricted"});
    const ScopedEnvironment host("KYREG8_PROFILE_KEY", profile.Path().c_str());
    const std::string path = ProgramDirectory() + "\\FaceReport.csv";
    ASSERT_EQ(RunToEnd("GlyphorFaces.exe \"" + path + "\""), 0u);
    const std::wstring records = ReportRecords(path);
    ::DeleteFileA(path.c_str());
    for (const wchar_t* record : {L"\r\nGlyphor Test Sans,,installable,off,machine policy,on,not set\r\n",
                                  L"\r\nGlyphor Test Restricted,,restricted,on,not set,on,user policy\r\n",
                                  L"\r\nGlyphor Test Preview,,preview & print,off,user's switch,on,not set\r\n"})
        EXPECT_NE(records.find(record), std::wstring::npos) << Narrowed(record, CP_UTF8);

    const std::string nowhere = ProgramDirectory() + "\\no such folder\\faces.csv";
    EXPECT_EQ(RunToEnd("GlyphorFaces.exe \"" + nowhere + "\""), 1u) << "a file that cannot be written";
}

TEST(FaceReport, FieldsHoldingACommaAQuoteOrALineBreakAreQuoted)
{
    EXPECT_EQ(CsvRecord({L"Plain Face", L"Face, Comma", L"The \"Quoted\" Face", L"Two\r\nLines", L""}),
              L"Plain Face,\"Face, Comma\",\"The \"\"Quoted\"\" Face\",\"Two\r\nLines\",\r\n");
}
