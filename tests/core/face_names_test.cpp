// Face names as the registry takes them: written through the switch writer and
// read back directly and through the exported query of the library loaded
// for the same profile.
#include "process_profile.h"

#include "store/switch_store.h"
#include "tests/support/glyphor_library.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// The registry limits a value name to this many characters.
constexpr size_t kLongestValueName = 16383;

Names Sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// A name short enough to read in a failure message.
std::string Shown(const std::string& name)
{
    return name.size() <= 40 ? '"' + name + '"' : std::to_string(name.size()) + " characters";
}

} // namespace

class FaceNames : public ProcessProfile {};

TEST_F(FaceNames, UnusualNamesAreStoredUnchanged)
{
    m_profile.CreateGeneral();
    GlyphorLibrary glyphor(m_profile.Path());
    const Names names = {
        "",
        std::string(1000, 'M'),
        std::string(kLongestValueName, 'L'),
        "Caf\xE9 Sans",
        "Back\\slash\\Face",
        " Spaced Face ",
        "Tab\tFace",
    };

    for (const std::string& name : names) {
        SwitchFace(name.c_str(), 0, 0);
        EXPECT_FALSE(glyphor.IsEnabledForFacename(name.c_str(), false)) << Shown(name);
        EXPECT_TRUE(glyphor.IsEnabledForFacename(name.c_str(), true)) << Shown(name);
    }
    EXPECT_EQ(Sorted(ValueNames(m_profile.EmbedList())), Sorted(names));
    EXPECT_EQ(SubkeyNames(m_profile.EmbedList()), Names{}) << "a backslash in a name made a key";

    // One character more than a listed name is another name, not a match.
    const std::string longer = names[2] + "X";
    EXPECT_TRUE(glyphor.IsEnabledForFacename(longer.c_str(), false));
    SwitchFace(longer.c_str(), 1, 0);
    EXPECT_FALSE(glyphor.IsEnabledForFacename(names[2].c_str(), false));

    for (const std::string& name : names) {
        SwitchFace(name.c_str(), 1, 0);
        EXPECT_TRUE(glyphor.IsEnabledForFacename(name.c_str(), false)) << Shown(name);
    }
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{});
}

TEST_F(FaceNames, NullNameReadsOnAndWritesNothing)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "");
    WriteDwordZero(m_profile.EmbedList(), "Kept");
    WriteDwordZero(m_profile.TessellateList(), "Kept");
    GlyphorLibrary glyphor(m_profile.Path());

    EXPECT_TRUE(glyphor.IsEnabledForFacename(nullptr, false));
    EXPECT_TRUE(glyphor.IsEnabledForFacename(nullptr, true));
    EXPECT_TRUE(BothOn(nullptr));
    for (int enabled : {0, 1})
        for (int tessellation : {0, 1})
            SwitchFace(nullptr, enabled, tessellation);
    EXPECT_EQ(Sorted(ValueNames(m_profile.EmbedList())), (Names{"", "Kept"}));
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Kept"});
}

TEST_F(FaceNames, ANameTooLongForTheRegistryFailsQuietly)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "Neighbour");
    WriteDwordZero(m_profile.TessellateList(), "Neighbour");
    GlyphorLibrary glyphor(m_profile.Path());

    for (const std::string& name : {std::string(kLongestValueName + 1, 'T'), std::string(20000, 'H')}) {
        for (int tessellation : {0, 1}) {
            SwitchFace(name.c_str(), 0, tessellation);
            EXPECT_TRUE(glyphor.IsEnabledForFacename(name.c_str(), tessellation != 0)) << Shown(name);
            SwitchFace(name.c_str(), 1, tessellation);
        }
        EXPECT_TRUE(BothOn(name.c_str())) << Shown(name);
    }
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"Neighbour"});
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Neighbour"});
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Neighbour", false));
}

// Value names match as the registry matches them, without regard to case, so
// one listed spelling switches off every spelling, and switching any
// spelling on removes it.
TEST_F(FaceNames, ListedNamesMatchWithoutRegardToCase)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "glyphor test sans");
    WriteDwordZero(m_profile.EmbedList(), "caf\xE9 sans");
    GlyphorLibrary glyphor(m_profile.Path());

    EXPECT_FALSE(glyphor.IsEnabledForFacename("Glyphor Test Sans", false));
    EXPECT_FALSE(glyphor.IsEnabledForFacename("GLYPHOR TEST SANS", false));
    EXPECT_FALSE(glyphor.IsEnabledForFacename("CAF\xC9 SANS", false)) << "accented capitals";

    SwitchFace("Glyphor Test Sans", 0, 0);
    EXPECT_EQ(Sorted(ValueNames(m_profile.EmbedList())), (Names{"caf\xE9 sans", "glyphor test sans"}))
        << "switching off another spelling";

    SwitchFace("GLYPHOR TEST SANS", 1, 0);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{"caf\xE9 sans"});
    EXPECT_TRUE(glyphor.IsEnabledForFacename("glyphor test sans", false));
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Caf\xE9 Sans", false));
}
