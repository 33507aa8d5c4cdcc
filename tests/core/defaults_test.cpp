// Cold start and the defaults, through the store code linked into this program.
#include "process_profile.h"

#include "store/defaults.h"
#include "store/switch_store.h"
#include "tests/support/default_lists.h"
#include "tests/support/import_hook.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
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
    EXPECT_TRUE(BothOn("Arial"));
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

// The reset changes values, never the lists themselves: a reader meanwhile
// never finds a cold profile, nor a face that is off before and after the
// reset switched on.
TEST_F(ColdStart, AReaderDuringResetsSeesNoStateThatNeverWas)
{
    m_profile.CreateGeneral();
    ASSERT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
    std::atomic<bool> resetting{true};
    std::atomic<long> queries{0};
    long coldStarts = 0, arialOn = 0;
    std::thread reader([&] {
        while (resetting) {
            ++queries;
            coldStarts += IsColdStart();
            arialOn += IsEnabledForFacename("Arial", false);
        }
    });
    std::vector<LONG> results;
    // A reader slowed by the changes still meets many resets: the resets go
    // on until it has asked as often, a few seconds at most.
    const DWORD start = ::GetTickCount();
    for (int reset = 0; reset < 200 || (queries < 200 && ::GetTickCount() - start < 5000); ++reset) {
        WriteDwordZero(m_profile.TessellateList(), "User Face");
        WriteDwordZero(m_profile.EmbedList(), "User Face");
        WriteValue(m_profile.EmbedList(), "Arial", REG_SZ, {'x', 0}); // off, though not as the defaults write it
        results.push_back(SetAllToDefaults());
    }
    resetting = false;
    reader.join();
    EXPECT_EQ(std::count(results.begin(), results.end(), ERROR_SUCCESS), static_cast<std::ptrdiff_t>(results.size()));
    EXPECT_GE(queries, 200) << "the reader hardly ran";
    EXPECT_EQ(coldStarts, 0) << "of " << queries << " queries";
    EXPECT_EQ(arialOn, 0) << "of " << queries << " queries";
    EXPECT_TRUE(HoldsDefaults(m_profile));
}

TEST_F(ColdStart, AResetThatCannotWriteSaysSo)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.TessellateList(), "User Face");
    for (long allowed : {0L, 3L}) {
        {
            RegistryWriteFailure failure(::GetModuleHandleA(nullptr), allowed);
            EXPECT_EQ(SetAllToDefaults(), ERROR_ACCESS_DENIED) << "writes failing after " << allowed;
        }
        EXPECT_EQ(ValueNames(m_profile.EmbedList()).size(), static_cast<size_t>(allowed));
        EXPECT_FALSE(IsColdStart());
    }
    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_TRUE(HoldsDefaults(m_profile));
}

namespace {

// Another writer, acting while the reset works: it deletes a default once,
// just as the reset starts reading the list, and adds a subkey whenever the
// reset deletes one.
decltype(&::RegQueryInfoKeyW) g_queryInfo = nullptr;
decltype(&::RegDeleteTreeW) g_deleteTree = nullptr;
bool g_defaultDeleted = false;

LONG WINAPI QueryInfoAfterDeletingADefault(HKEY key, LPWSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                                           LPDWORD subkeys, LPDWORD longestSubkey, LPDWORD longestClass,
                                           LPDWORD values, LPDWORD longestValueName, LPDWORD longestValue,
                                           LPDWORD securityDescriptor, PFILETIME written)
{
    if (!g_defaultDeleted)
        g_defaultDeleted = ::RegDeleteValueW(key, L"Arial") == ERROR_SUCCESS;
    return g_queryInfo(key, keyClass, classLength, reserved, subkeys, longestSubkey, longestClass, values,
                       longestValueName, longestValue, securityDescriptor, written);
}

LONG WINAPI DeleteTreeAndAddOne(HKEY parent, LPCWSTR name)
{
    const LONG result = g_deleteTree(parent, name);
    ::RegSetKeyValueW(parent, L"Added Meanwhile", nullptr, REG_SZ, L"", sizeof L"");
    return result;
}

} // namespace

// The reset succeeds only when its last reading of the lists finds them as
// the defaults leave them, and it ends even while another writer keeps
// changing them.
TEST_F(ColdStart, AResetSucceedsOnlyWhenItsLastReadingFindsTheDefaults)
{
    const HMODULE program = ::GetModuleHandleA(nullptr);
    m_profile.CreateLists();
    {
        ImportHook hook(program, "advapi32.dll", "RegQueryInfoKeyW", &QueryInfoAfterDeletingADefault, g_queryInfo);
        EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
        ASSERT_TRUE(g_defaultDeleted);
        EXPECT_TRUE(HoldsDefaults(m_profile)) << "a default deleted while the reset read the list";
    }
    CreateKey(m_profile.TessellateList() + "\\Nested");
    {
        ImportHook hook(program, "advapi32.dll", "RegDeleteTreeW", &DeleteTreeAndAddOne, g_deleteTree);
        EXPECT_EQ(SetAllToDefaults(), ERROR_BUSY) << "a subkey added for each deleted";
    }
    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_TRUE(HoldsDefaults(m_profile));
}
