// The per-face switches on the real registry, through the store code linked
// into this program.
#include "process_profile.h"

#include "store/switch_store.h"
#include "tests/support/import_hook.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using Names = std::vector<std::string>;

void ExpectBothOn(const char* face, const char* context)
{
    EXPECT_TRUE(IsEnabledForFacename(face, false)) << face << ", " << context;
    EXPECT_TRUE(IsEnabledForFacename(face, true)) << face << ", " << context;
    EXPECT_TRUE(BothOn(face)) << face << ", " << context;
}

} // namespace

class SwitchStore : public ProcessProfile {};

TEST_F(SwitchStore, MissingListsReadAsOn)
{
    ExpectBothOn("Any Face", "no General");
    m_profile.CreateGeneral();
    ExpectBothOn("Any Face", "General without lists");
    // The registry does not signal the watch of a key that is deleted: a
    // profile deleted whole and made again is read again all the same.
    DeleteTree(m_profile.Path());
    m_profile.CreateLists();
    ExpectBothOn("Any Face", "empty lists");
    EXPECT_EQ(SubkeyNames(m_profile.EmbedList()), Names{});
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{});
    WriteDwordZero(m_profile.EmbedList(), "Any Face");
    EXPECT_FALSE(IsEnabledForFacename("Any Face", false)) << "listed in a profile made again";
}

TEST_F(SwitchStore, AValueOfAnyTypeOrDatumSwitchesTheFaceOff)
{
    const struct {
        const char* face;
        DWORD type;
        std::vector<BYTE> data;
    } values[] = {
        {"Dword One", REG_DWORD, {1, 0, 0, 0}},
        {"Dword Zero", REG_DWORD, {0, 0, 0, 0}},
        {"String", REG_SZ, {'o', 'n', 0}},
        {"Empty Binary", REG_BINARY, {}},
        {"None", REG_NONE, {}},
        {"Multi String", REG_MULTI_SZ, {'a', 0, 0}},
        {"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
    };
    m_profile.CreateGeneral();
    for (const auto& value : values) {
        WriteValue(m_profile.EmbedList(), value.face, value.type, value.data);
        WriteValue(m_profile.TessellateList(), std::string("Tessellated ") + value.face, value.type, value.data);
    }
    for (const auto& value : values) {
        const std::string tessellated = std::string("Tessellated ") + value.face;
        EXPECT_FALSE(IsEnabledForFacename(value.face, false)) << value.face;
        EXPECT_TRUE(IsEnabledForFacename(value.face, true)) << value.face;
        EXPECT_FALSE(BothOn(value.face)) << value.face;
        EXPECT_FALSE(IsEnabledForFacename(tessellated.c_str(), true)) << tessellated;
        EXPECT_TRUE(IsEnabledForFacename(tessellated.c_str(), false)) << tessellated;
        EXPECT_FALSE(BothOn(tessellated.c_str())) << tessellated;
    }
}

TEST_F(SwitchStore, SwitchingOffCreatesOnlyTheMissingListWithOneDwordZero)
{
    m_profile.CreateGeneral();

    EXPECT_EQ(SwitchFace("Embedded Off", 0, 0), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(m_profile.General()), Names{"t2embed"});
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Embedded Off"});
    RegistryValue written = ReadValue(m_profile.EmbedList(), "Embedded Off");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(written.data, (std::vector<BYTE>{0, 0, 0, 0}));

    // A selector other than 1 still means the tessellation list.
    SwitchFace("Tessellated Off", 0, 0x100);
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Tessellated Off"});
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Embedded Off"});

    // Switching off again, or over a value of another type, leaves one DWORD 0.
    WriteValue(m_profile.TessellateList(), "Tessellated Off", REG_SZ, {'x', 0});
    SwitchFace("Tessellated Off", 0, 1);
    SwitchFace("Tessellated Off", 0, 1);
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Tessellated Off"});
    written = ReadValue(m_profile.TessellateList(), "Tessellated Off");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(written.data, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_FALSE(BothOn("Tessellated Off"));
}

TEST_F(SwitchStore, SwitchingOnRemovesOnlyThatFaceAndCreatesNothing)
{
    m_profile.CreateGeneral();
    SwitchFace("Face", 1, 0);
    SwitchFace("Face", 1, 1);
    EXPECT_EQ(SubkeyNames(m_profile.General()), Names{}) << "switching on created a list";

    WriteDwordZero(m_profile.EmbedList(), "Face");
    WriteDwordZero(m_profile.EmbedList(), "Kept");
    WriteDwordZero(m_profile.TessellateList(), "Face");
    EXPECT_EQ(SwitchFace("Unlisted", 1, 0), ERROR_SUCCESS) << "a face the list does not name is on already";
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), (Names{"Face", "Kept"}));

    SwitchFace("Face", 1, 0);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Kept"});
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Face"}) << "the other list changed";
    EXPECT_TRUE(IsEnabledForFacename("Face", false));
    EXPECT_FALSE(IsEnabledForFacename("Face", true));
}

TEST_F(SwitchStore, WithoutGeneralSwitchingChangesNothing)
{
    for (int enabled : {0, 1})
        for (int tessellation : {0, 1})
            EXPECT_EQ(SwitchFace("Face", enabled, tessellation), enabled ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND)
                << "switched " << (enabled ? "on" : "off") << ": nothing lists it, and nothing can";
    EXPECT_EQ(SubkeyNames(m_profile.Path()), Names{});
    EXPECT_EQ(ValueNames(m_profile.Path()), Names{});
    ExpectBothOn("Face", "after switching without General");
}

// The reader answers each face as the registry matches names: case twins,
// accented letters and their capitals, names whose capital or whose ANSI
// look-alike is an ASCII letter, 8-bit bytes, the longest name.
TEST_F(SwitchStore, ReaderAnswersAsTheRegistryMatches)
{
    const std::wstring names[] = {L"", L"arial", L"Caf\u00E9", L"\u0131", L"\u0130", L"\u017Fans", L"\u212Aey", L"\u00C5",
                                  L"\u00FF", L"\u0160", L"stra\u00DFe", std::wstring(16383, L'L')};
    const Names faces = {"", "ARIAL", "Arial", "arial ", "CAF\xC9", "caf\xE9", "Cafe", "i", "I", "?", "Sans", "sans",
                         "KEY", "key", "\xC5", "\xE5", "A", "\xFF", "\x9F", "Y", "\x8A", "\x9A", "S", "STRASSE",
                         "STRA\xDF" "E", std::string(16383, 'l'), std::string(16384, 'L')};
    for (const std::wstring& name : names) {
        WriteDwordZero(m_profile.TessellateList(), name);
        WriteDwordZero(m_profile.EmbedList(), name);
    }
    const CSwitchReader reader(ProfileKeyPaths());
    for (const std::string& face : faces)
        for (bool tessellation : {false, true})
            EXPECT_EQ(reader.IsEnabled(Face(face.c_str()), tessellation),
                      ReadValue(m_profile.EmbedList(), face).type != REG_DWORD)
                << '"' << face.substr(0, 20) << "\" (" << face.size() << " bytes)";
}

// The writer leaves the store as the same calls face by face leave it, with
// the same results, whichever keys exist beforehand, opening each list at
// most once.
TEST_F(SwitchStore, WriterLeavesWhatFaceByFaceCallsLeave)
{
    const struct { const char* face; int enabled, tessellation; } steps[] = {
        {"On First", 1, 0}, {"OLD SZ", 1, 1}, {"Off", 0, 0},    {"OFF", 0, 0},   {"Kept", 0, 1},  {"kept", 1, 0},
        {"Twice", 0, 2},  {"twice", 1, 2}, {"Old Sz", 0, 0}, {"Last", 0, 1}};
    const std::string general = m_profile.General(), embed = m_profile.EmbedList(), tess = m_profile.TessellateList();
    const std::vector<std::string> keysBefore[] = {{}, {general}, {embed}, {tess}, {embed, tess}};
    for (const auto& keys : keysBefore) {
        std::string written[2];
        for (bool batched : {false, true}) {
            DeleteTree(general);
            for (const std::string& key : keys) // each holding a value of another type
                WriteValue(key, "Old Sz", REG_SZ, {'x', 0});
            HandleBalance balance(::GetModuleHandleA(nullptr));
            {
                CSwitchWriter writer(ProfileKeyPaths());
                for (const auto& step : steps)
                    written[batched] += std::to_string(batched ? writer.SetFaceEnabled(Face(step.face), step.enabled, step.tessellation)
                                                               : SwitchFace(step.face, step.enabled, step.tessellation)) + ' ';
            }
            EXPECT_EQ(balance.OpenKeys(), 0);
            if (batched) {
                EXPECT_LE(balance.KeysOpenedInAll(), 4) << "a list was opened more than once";
            }
            for (const std::string& list : {embed, tess}) { // the lists with every value's type and data
                written[batched] += '\n' + list + (KeyExists(list) ? ":" : " (missing):");
                for (const std::string& name : ValueNames(list)) {
                    const RegistryValue value = ReadValue(list, name);
                    written[batched] += " [" + name + "] " + std::to_string(value.type) + ' ' +
                                        std::string(value.data.begin(), value.data.end());
                }
            }
        }
        EXPECT_EQ(written[1], written[0]) << "per face, then the writer";
    }
}

// Another writer adds and deletes names that come before the others while
// readers read the list: a name listed throughout is never missed.
TEST_F(SwitchStore, ReaderMissesNoNameWhileTheListChanges)
{
    constexpr int kSteady = 100;
    for (int i = 0; i < kSteady; ++i)
        WriteDwordZero(m_profile.EmbedList(), "Steady " + std::to_string(1000 + i));
    std::atomic<bool> reading{true};
    std::thread churn([&] {
        for (int i = 0; reading; i = (i + 1) % 20) {
            const std::string name = "Churn " + std::to_string(i);
            SwitchFace(name.c_str(), 0, 0);
            SwitchFace(name.c_str(), 1, 0);
        }
    });
    int missed = 0;
    for (int read = 0; read < 60; ++read) {
        const CSwitchReader reader(ProfileKeyPaths());
        for (int i = 0; i < kSteady; ++i)
            missed += reader.IsEnabled(FaceNames(L"Steady " + std::to_wstring(1000 + i)), false);
    }
    reading = false;
    churn.join();
    EXPECT_EQ(missed, 0) << "of " << 60 * kSteady << " answers";
}

// A list deleted while the writer holds it is made again, once, and the
// write lands there; a write the registry refuses is reported.
TEST_F(SwitchStore, WriterOutlivesADeletedListAndReportsRefusals)
{
    m_profile.CreateGeneral();
    CSwitchWriter writer(ProfileKeyPaths());
    EXPECT_EQ(writer.SetFaceEnabled(Face("First"), 0, 0), ERROR_SUCCESS);
    DeleteTree(m_profile.EmbedList());
    EXPECT_EQ(writer.SetFaceEnabled(Face("Second"), 0, 0), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Second"});

    CSwitchWriter another(ProfileKeyPaths());
    EXPECT_EQ(another.SetFaceEnabled(Face("Third"), 0, 1), ERROR_SUCCESS);
    DeleteTree(m_profile.General());
    EXPECT_EQ(another.SetFaceEnabled(Face("Fourth"), 1, 1), ERROR_SUCCESS) << "switched on: nothing lists it";
    EXPECT_EQ(another.SetFaceEnabled(Face("Fourth"), 0, 1), ERROR_FILE_NOT_FOUND) << "no General to make the list under";

    m_profile.CreateLists();
    RegistryWriteFailure failure(::GetModuleHandleA(nullptr), 0);
    EXPECT_EQ(SwitchFace("Refused", 0, 0), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(IsEnabledForFacename("Refused", false));
}
