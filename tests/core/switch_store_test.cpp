// The per-face switches on the real registry, through the store code linked
// into this program.
#include "process_profile.h"

#include "store/switch_store.h"
#include "tests/support/import_hook.h"

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

void ExpectBothOn(const char* face, const char* context)
{
    EXPECT_TRUE(IsEnabledForFacename(face, false)) << face << ", " << context;
    EXPECT_TRUE(IsEnabledForFacename(face, true)) << face << ", " << context;
    EXPECT_TRUE(IsEnabledForBoth(face)) << face << ", " << context;
}

} // namespace

class SwitchStore : public ProcessProfile {};

TEST_F(SwitchStore, MissingListsReadAsOn)
{
    ExpectBothOn("Any Face", "no General");
    m_profile.CreateGeneral();
    ExpectBothOn("Any Face", "General without lists");
    m_profile.CreateLists();
    ExpectBothOn("Any Face", "empty lists");
    EXPECT_EQ(SubkeyNames(m_profile.EmbedList()), Names{});
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{});
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
        EXPECT_FALSE(IsEnabledForBoth(value.face)) << value.face;
        EXPECT_FALSE(IsEnabledForFacename(tessellated.c_str(), true)) << tessellated;
        EXPECT_TRUE(IsEnabledForFacename(tessellated.c_str(), false)) << tessellated;
        EXPECT_FALSE(IsEnabledForBoth(tessellated.c_str())) << tessellated;
    }
}

TEST_F(SwitchStore, SwitchingOffCreatesOnlyTheMissingListWithOneDwordZero)
{
    m_profile.CreateGeneral();

    SetFaceEnabled("Embedded Off", 0, 0);
    EXPECT_EQ(SubkeyNames(m_profile.General()), Names{"t2embed"});
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Embedded Off"});
    RegistryValue written = ReadValue(m_profile.EmbedList(), "Embedded Off");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(written.data, (std::vector<BYTE>{0, 0, 0, 0}));

    // A selector other than 1 still means the tessellation list.
    SetFaceEnabled("Tessellated Off", 0, 0x100);
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Tessellated Off"});
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Embedded Off"});

    // Switching off again, or over a value of another type, leaves one DWORD 0.
    WriteValue(m_profile.TessellateList(), "Tessellated Off", REG_SZ, {'x', 0});
    SetFaceEnabled("Tessellated Off", 0, 1);
    SetFaceEnabled("Tessellated Off", 0, 1);
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Tessellated Off"});
    written = ReadValue(m_profile.TessellateList(), "Tessellated Off");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(written.data, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_FALSE(IsEnabledForBoth("Tessellated Off"));
}

TEST_F(SwitchStore, SwitchingOnRemovesOnlyThatFaceAndCreatesNothing)
{
    m_profile.CreateGeneral();
    SetFaceEnabled("Face", 1, 0);
    SetFaceEnabled("Face", 1, 1);
    EXPECT_EQ(SubkeyNames(m_profile.General()), Names{}) << "switching on created a list";

    WriteDwordZero(m_profile.EmbedList(), "Face");
    WriteDwordZero(m_profile.EmbedList(), "Kept");
    WriteDwordZero(m_profile.TessellateList(), "Face");
    SetFaceEnabled("Unlisted", 1, 0);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), (Names{"Face", "Kept"}));

    SetFaceEnabled("Face", 1, 0);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Kept"});
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Face"}) << "the other list changed";
    EXPECT_TRUE(IsEnabledForFacename("Face", false));
    EXPECT_FALSE(IsEnabledForFacename("Face", true));
}

TEST_F(SwitchStore, WithoutGeneralSwitchingChangesNothing)
{
    for (int enabled : {0, 1})
        for (int tessellation : {0, 1})
            SetFaceEnabled("Face", enabled, tessellation);
    EXPECT_EQ(SubkeyNames(m_profile.Path()), Names{});
    EXPECT_EQ(ValueNames(m_profile.Path()), Names{});
    ExpectBothOn("Face", "after switching without General");
}

TEST_F(SwitchStore, BothAsksTheTessellationListFirstAndStopsThere)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.TessellateList(), "Tessellated Only");
    WriteDwordZero(m_profile.EmbedList(), "Embedded Only");

    bool tessellatedOnly = true, embeddedOnly = true, neither = false;
    long opensForTessellated = 0, opensForEmbedded = 0, stillOpen = 0;
    {
        HandleBalance balance(::GetModuleHandleA(nullptr));
        tessellatedOnly = IsEnabledForBoth("Tessellated Only");
        opensForTessellated = balance.KeysOpenedInAll();
        embeddedOnly = IsEnabledForBoth("Embedded Only");
        opensForEmbedded = balance.KeysOpenedInAll() - opensForTessellated;
        neither = IsEnabledForBoth("Neither");
        stillOpen = balance.OpenKeys();
    }
    EXPECT_FALSE(tessellatedOnly);
    EXPECT_EQ(opensForTessellated, 1) << "the embedding list was opened as well";
    EXPECT_FALSE(embeddedOnly);
    EXPECT_EQ(opensForEmbedded, 2);
    EXPECT_TRUE(neither);
    EXPECT_EQ(stillOpen, 0);
}
