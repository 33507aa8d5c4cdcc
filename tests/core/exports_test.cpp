// The library's exports as the driver calls them: loaded by name, for a
// profile of the test's own.
#include "tests/support/default_lists.h"
#include "tests/support/glyphor_library.h"
#include "tests/support/import_hook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Names = std::vector<std::string>;
}

// In exports_from_c.c: looks the five exports up under the header's names,
// in C, and asks both queries for the face's embedding switch: 1 on, 0 off,
// -1 when an export is not found, -2 when the two disagree.
extern "C" int FindExportsFromC(HMODULE library, const char* face);

// The selector is a one-byte boolean: a caller that passes a wider value is
// answered by its low byte alone.
TEST(Exports, QuerySelectorIsItsLowByte)
{
    ScopedProfile profile("Exports.Selector");
    profile.CreateGeneral();
    WriteDwordZero(profile.EmbedList(), "Embedded Off");
    WriteDwordZero(profile.TessellateList(), "Tessellated Off");
    GlyphorLibrary glyphor(profile.Path());
    using WideSelectorQuery = bool (*)(const char*, int);
    auto query = reinterpret_cast<WideSelectorQuery>(reinterpret_cast<void*>(glyphor.IsEnabledForFacename));

    const struct {
        int selector;
        bool tessellation;
    } cases[] = {{0, false},     {1, true},     {0x02, true},       {0x80, true},  {0xFF, true},
                 {0x1FE, true},  {0x100, false}, {0x101, true},     {0x7FFFFF00, false}, {-255, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(query("Embedded Off", c.selector), c.tessellation) << std::hex << "selector 0x" << c.selector;
        EXPECT_EQ(query("Tessellated Off", c.selector), !c.tessellation) << std::hex << "selector 0x" << c.selector;
        EXPECT_TRUE(query("Unlisted", c.selector)) << std::hex << "selector 0x" << c.selector;
        EXPECT_TRUE(query(nullptr, c.selector)) << std::hex << "selector 0x" << c.selector;
    }
}

TEST(Exports, TheHeaderNamesThemForDriversInC)
{
    ScopedProfile profile("Exports.FromC");
    WriteDwordZero(profile.EmbedList(), "Embedded Off");
    GlyphorLibrary glyphor(profile.Path());
    EXPECT_EQ(FindExportsFromC(glyphor.Module(), "Embedded Off"), 0);
    EXPECT_EQ(FindExportsFromC(glyphor.Module(), "Unlisted"), 1);
}

// The host is asked for its profile when a switch is first wanted, not while
// the library loads: a host that cannot name it costs no process, and the
// profile counts as one without General until it can. A policy's "never"
// holds all the same. The host that failed is asked again once a second has
// passed, not at each of the driver's queries meanwhile.
TEST(Exports, AHostThatCannotNameItsProfileLeavesEverySwitchOn)
{
    ScopedProfile profile("Exports.NoProfile");
    profile.CreateLists();
    WriteDwordZero(profile.EmbedList(), "Embedded Off");
    ScopedPolicy policy;
    policy.SetList(ScopedPolicy::kUser, L"Software\\Policies\\Glyphor\\TessellateNever", {L"Policy Off"});
    GlyphorLibrary glyphor(profile.Path());
    HostProfile host(glyphor.Module(), true);
    EXPECT_TRUE(glyphor.IsEnabledForFacename("Embedded Off", false));
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Policy Off", true));
    EXPECT_TRUE(glyphor.IsColdStart());
    EXPECT_EQ(glyphor.SetAllToDefaults(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ValueNames(profile.EmbedList()), Names{"Embedded Off"}) << "written without a profile";
    host.Answer();
    int on = 0;
    for (int query = 0; query < 100; ++query)
        on += glyphor.IsEnabledForFacename("Embedded Off", false);
    EXPECT_EQ(on, 100);
    EXPECT_EQ(host.CallingThreads().size(), 1u) << "asked again within the second";
    ::Sleep(1100);
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Embedded Off", false)) << "asked again once the host can answer";
    EXPECT_EQ(host.CallingThreads().size(), 2u);
}

TEST(Exports, ColdProfileIsPreparedWithTheDefaults)
{
    ScopedProfile profile("Exports.Defaults");
    GlyphorLibrary glyphor(profile.Path());
    EXPECT_TRUE(glyphor.IsColdStart());
    EXPECT_EQ(glyphor.SetAllToDefaults(), ERROR_FILE_NOT_FOUND) << "without General";

    profile.CreateGeneral();
    WriteDwordZero(profile.TessellateList(), "User Tessellate Choice");
    EXPECT_TRUE(glyphor.IsColdStart());
    EXPECT_EQ(glyphor.SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_TRUE(HoldsDefaults(profile));
    EXPECT_FALSE(glyphor.IsColdStart());
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Lucinda Console", false));
    EXPECT_TRUE(glyphor.IsEnabledForFacename("User Tessellate Choice", true));
}

TEST(Exports, ThousandsOfCallsLeaveNoKeyOpen)
{
    ScopedProfile profile("Exports.Handles");
    GlyphorLibrary glyphor(profile.Path());
    glyphor.IsEnabledForFacename("Arial", false); // opens the keys the policy is watched through, for good
    long opened = 0, stillOpen = 0;
    {
        HandleBalance balance(glyphor.Module());
        // First without General, where every open fails, then with it.
        for (int round = 0; round < 2000; ++round) {
            if (round == 1000)
                CreateKey(profile.General());
            glyphor.IsEnabledForFacename(round % 2 ? "Arial" : "Unlisted", round % 3 == 0);
            glyphor.IsColdStart();
            if (round % 20 == 0)
                glyphor.SetAllToDefaults();
        }
        opened = balance.KeysOpenedInAll();
        stillOpen = balance.OpenKeys();
    }
    EXPECT_EQ(stillOpen, 1) << "keys left open beside the watch of General, made once it exists";
    EXPECT_GT(opened, 2000) << "the calls were not counted";
}

// No exception leaves the store's exports: out of memory, the reset says so
// and the query answers as when the store cannot be read.
TEST(Exports, OutOfMemoryTheStoresExportsAnswerAndThrowNothing)
{
    ScopedProfile profile("Exports.OutOfMemory");
    profile.CreateGeneral();
    ScopedPolicy policy;
    const std::wstring embedNever = L"Software\\Policies\\Glyphor\\EmbedNever";
    policy.SetList(ScopedPolicy::kUser, embedNever, {L"Policy Off"});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(glyphor.IsColdStart()); // the profile's paths, made once
    LONG reset = ERROR_NOT_ENOUGH_MEMORY;
    long allowed = 0;
    for (; reset == ERROR_NOT_ENOUGH_MEMORY && allowed < 1000; ++allowed) {
        AllocationFailure failure(glyphor.Module(), allowed);
        reset = glyphor.SetAllToDefaults();
    }
    EXPECT_EQ(reset, ERROR_SUCCESS) << "after allowing " << allowed - 1 << " allocations";
    EXPECT_GT(allowed, 1) << "the reset never ran out of memory";
    EXPECT_TRUE(HoldsDefaults(profile));

    // The policy, read again after a change, runs out of memory.
    ASSERT_FALSE(glyphor.IsEnabledForFacename("Policy Off", false));
    policy.SetList(ScopedPolicy::kUser, embedNever, {L"Policy Off", L"Another"});
    EXPECT_TRUE(WithinASecond([&] {
        const AllocationFailure failure(glyphor.Module(), 0);
        const bool on = glyphor.IsEnabledForFacename("Policy Off", false), failed = failure.Failures() > 0;
        EXPECT_EQ(on, failed) << "an answer but the store's or on";
        EXPECT_FALSE(glyphor.IsColdStart());
        return failed;
    })) << "the change was not read";
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Policy Off", false));
}

// Each key is asked for with the access its use needs: the query reads both
// lists, once for every query until they change, the cold-start test sets values, the reset reads and sets its lists' values,
// creates a missing list through General opened again to create it, and
// opens only a list that holds subkeys for deleting them.
TEST(Exports, KeysAreAskedForWithTheLeastAccess)
{
    ScopedProfile profile("Exports.Access");
    CreateKey(profile.EmbedList() + "\\Nested");
    GlyphorLibrary glyphor(profile.Path());
    const std::string embed = profile.EmbedList(), tessellate = profile.TessellateList();
    const REGSAM list = KEY_QUERY_VALUE | KEY_SET_VALUE;
    const std::vector<KeyRequest> expected = {
        {tessellate, KEY_READ}, {embed, KEY_READ}, {tessellate, KEY_SET_VALUE},
        {profile.General(), KEY_SET_VALUE}, {"t2embed", list}, {"t2tessellate", list},
        {profile.General(), KEY_SET_VALUE | KEY_CREATE_SUB_KEY}, {"t2tessellate", list},
        {"", DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE}};
    HandleBalance balance(glyphor.Module());
    glyphor.IsEnabledForFacename("Face", 0x100);
    glyphor.IsEnabledForFacename("Face", 1);
    glyphor.IsColdStart();
    EXPECT_EQ(glyphor.SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_EQ(balance.KeyRequests(), expected);
    EXPECT_TRUE(HoldsDefaults(profile));
}

// The host hands over its profile key unchecked, so a trailing backslash
// doubles the separator in every key path. The registry takes the doubled
// separator as one: the library finds the profile's own lists and writes
// nowhere else.
TEST(Exports, ProfileKeyWithTrailingBackslashReachesTheSameLists)
{
    ScopedProfile profile("Exports.TrailingBackslash");
    profile.CreateLists();
    WriteDwordZero(profile.EmbedList(), "Embedded Off");
    WriteDwordZero(profile.TessellateList(), "Tessellated Off");
    GlyphorLibrary glyphor(profile.Path() + "\\");

    EXPECT_FALSE(glyphor.IsEnabledForFacename("Embedded Off", false));
    EXPECT_FALSE(glyphor.IsEnabledForFacename("Tessellated Off", true));
    EXPECT_TRUE(glyphor.IsEnabledForFacename("Embedded Off", true));
    EXPECT_FALSE(glyphor.IsColdStart());

    EXPECT_EQ(glyphor.SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_TRUE(HoldsDefaults(profile));
    EXPECT_EQ(SubkeyNames(profile.Path()), Names{"General"});
    EXPECT_EQ(SubkeyNames(profile.General()), (Names{"t2embed", "t2tessellate"}));
}
