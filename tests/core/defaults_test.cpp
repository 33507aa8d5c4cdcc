// Cold start and the defaults, through the store code linked into this program.
#include "process_profile.h"

#include "store/defaults.h"
#include "store/switch_store.h"
#include "tests/support/default_lists.h"

#include <string>
#include <vector>

namespace {
using Names = std::vector<std::string>;
}

class ColdStart : public ProcessProfile {};

TEST_F(ColdStart, WithoutGeneralTheDefaultsFailAndChangeNothing)
{
    EXPECT_TRUE(IsColdStart());
    EXPECT_EQ(SetAllToDefaults(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SubkeyNames(m_profile.Path()), Names{});
    EXPECT_EQ(ValueNames(m_profile.Path()), Names{});
    EXPECT_TRUE(IsColdStart());
}

TEST_F(ColdStart, EitherListMissingIsCold)
{
    m_profile.CreateGeneral();
    EXPECT_TRUE(IsColdStart()) << "no lists";
    CreateKey(m_profile.EmbedList());
    EXPECT_TRUE(IsColdStart()) << "only the embedding list";
    DeleteTree(m_profile.EmbedList());
    CreateKey(m_profile.TessellateList());
    EXPECT_TRUE(IsColdStart()) << "only the tessellation list";
    CreateKey(m_profile.EmbedList());
    EXPECT_FALSE(IsColdStart()) << "both lists, empty";
    EXPECT_TRUE(IsEnabledForBoth("Arial"));
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), Names{}) << "asking changed a list";
}

TEST_F(ColdStart, DefaultsReplaceEveryUserChoice)
{
    m_profile.CreateGeneral();
    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS) << "from a cold profile";
    EXPECT_TRUE(HoldsDefaults(m_profile));
    EXPECT_FALSE(IsColdStart());

    for (const char* face : {"User Face", "Arial", "Zapf Choice"}) {
        WriteValue(m_profile.EmbedList(), face, REG_SZ, {'x', 0});
        WriteDwordZero(m_profile.TessellateList(), face);
    }
    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS) << "over user choices";
    EXPECT_TRUE(HoldsDefaults(m_profile));
    EXPECT_TRUE(IsEnabledForFacename("Arial", true));
    EXPECT_FALSE(IsEnabledForFacename("Arial", false));
}

TEST_F(ColdStart, DefaultsReplaceListsThatHoldSubkeys)
{
    m_profile.CreateLists();
    for (const std::string& list : {m_profile.EmbedList(), m_profile.TessellateList()}) {
        WriteDwordZero(list, "User Face");
        WriteDwordZero(list + "\\Nested", "Nested Face");
        WriteDwordZero(list + "\\Nested\\Deeper", "Deeper Face");
    }
    WriteDwordZero(m_profile.General(), "Sibling Value");
    CreateKey(m_profile.General() + "\\Sibling Key");

    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_TRUE(HoldsDefaults(m_profile));
    EXPECT_FALSE(IsColdStart());
    EXPECT_EQ(ValueNames(m_profile.General()), Names{"Sibling Value"}) << "General's own values";
    EXPECT_TRUE(KeyExists(m_profile.General() + "\\Sibling Key"));
}
