// The administrator's policy in both hives, through the store code linked
// into this program, changed while the program runs.
#include "process_profile.h"

#include "policy_template.h"
#include "store/defaults.h"
#include "store/policy.h"
#include "tests/support/default_lists.h"
#include "tests/support/import_hook.h"
#include "common/unique_handle.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using Hive = ScopedPolicy::Hive;
using Names = std::vector<std::wstring>;

std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

constexpr auto List = &ScopedPolicy::ListKey;

} // namespace

struct Policy : ProcessProfile {
    ScopedPolicy m_policy;
};

// Each policy of the shipped template, written as the editor writes it in
// each hive its class allows, in a Glyphor key made anew while the program
// runs, does what the library says it does: a key named otherwise fails.
TEST_F(Policy, TheTemplatesPoliciesDoWhatTheySayAsTheEditorWritesThem)
{
    EXPECT_EQ(std::size(kTemplatePolicies), 6u) << "the library's six policies";
    m_profile.CreateGeneral();
    int tried = 0;
    for (const TemplatePolicy& policy : kTemplatePolicies) {
        for (const Hive hive : {ScopedPolicy::kMachine, ScopedPolicy::kUser}) {
            if (!(hive == ScopedPolicy::kMachine ? policy.machine : policy.user))
                continue;
            m_policy.Clear();
            const std::string face = "Template " + std::to_string(++tried);
            const std::wstring key = policy.key;
            const bool tessellation = key == List(kTessellateNeverList) || key == List(kTessellateAlwaysList);
            const bool on = key == List(kEmbedAlwaysList) || key == List(kTessellateAlwaysList);
            if (key == List(kDefaultNeverEmbedList)) {
                const Names faces = {Wide(face), Wide(face + " Bold")};
                m_policy.SetList(hive, key, faces);
                EXPECT_TRUE(WithinASecond([&] { return CurrentPolicy()->DefaultNeverEmbed() == faces; })) << face;
                EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS) << face;
                EXPECT_EQ(ValueNames(m_profile.EmbedList()), (std::vector<std::string>{face, face + " Bold"})) << face;
            } else if (*policy.valueName) {
                for (const DWORD value : {policy.enabledValue, policy.disabledValue}) {
                    m_policy.Set(hive, key, policy.valueName, REG_DWORD, &value, sizeof value);
                    EXPECT_TRUE(WithinASecond([&] { return CurrentPolicy()->LockAll() == (value == policy.enabledValue); }))
                        << face << ": " << value;
                }
            } else {
                if (on) // stored off, so that the policy shows
                    WriteDwordZero(tessellation ? m_profile.TessellateList() : m_profile.EmbedList(), face);
                m_policy.SetList(hive, key, {Wide(face)});
                EXPECT_TRUE(WithinASecond([&] { return IsEnabledForFacename(face.c_str(), tessellation) == on; })) << face;
            }
        }
    }
}

// Machine over user, "never" over "always" at one level, policy over the
// store, for either switch; a face's policy for one switch leaves the other
// to the store.
TEST_F(Policy, MachineOverUserNeverOverAlwaysPolicyOverTheStore)
{
    const struct {
        const char *face, *machine, *user; // the lists that name the face: N never, A always
        bool stored, expected;
    } rows[] = {{"Store Off", "", "", false, false},         {"Store On", "", "", true, true},
                {"User A", "", "A", false, true},            {"User N", "", "N", true, false},
                {"User NA", "", "NA", true, false},          {"Machine A", "A", "", false, true},
                {"Machine NA", "NA", "", true, false},       {"Machine A User N", "A", "N", false, true},
                {"Machine N User A", "N", "A", true, false}, {"Machine A User NA", "A", "NA", false, true}};
    for (const bool tessellation : {false, true}) {
        const std::string prefix = tessellation ? "T " : "E ", list = tessellation ? m_profile.TessellateList()
                                                                                  : m_profile.EmbedList();
        m_policy.Clear();
        for (const Hive hive : {ScopedPolicy::kMachine, ScopedPolicy::kUser}) {
            for (const char kind : {'A', 'N'}) { // the user's "never" last, with a sentinel
                Names faces;
                if (hive == ScopedPolicy::kUser && kind == 'N')
                    faces.push_back(L"Sentinel");
                for (const auto& row : rows)
                    if (std::strchr(hive == ScopedPolicy::kMachine ? row.machine : row.user, kind))
                        faces.push_back(Wide(prefix + row.face));
                m_policy.SetList(hive, List(tessellation ? (kind == 'N' ? kTessellateNeverList : kTessellateAlwaysList)
                                                         : (kind == 'N' ? kEmbedNeverList : kEmbedAlwaysList)),
                                 faces);
            }
        }
        for (const auto& row : rows)
            if (!row.stored)
                WriteDwordZero(list, prefix + row.face);
        ASSERT_TRUE(WithinASecond([&] { return !IsEnabledForFacename("Sentinel", tessellation); }));
        for (const auto& row : rows) {
            const std::string face = prefix + row.face;
            EXPECT_EQ(IsEnabledForFacename(face.c_str(), tessellation), row.expected) << face;
            EXPECT_TRUE(IsEnabledForFacename(face.c_str(), !tessellation)) << face << ", the other switch";
        }
    }
    m_policy.SetList(ScopedPolicy::kUser, List(kDefaultNeverEmbedList), {L"User Default"});
    m_policy.SetList(ScopedPolicy::kMachine, List(kDefaultNeverEmbedList), {L"Machine Default"});
    EXPECT_TRUE(WithinASecond([] { return CurrentPolicy()->DefaultNeverEmbed() == Names{L"Machine Default"}; }))
        << "the defaults: the machine's over the user's";
}

// What no face name can be, or what is no string, names no face; a list that
// cannot be read counts as none, and a long one is read whole. The profile
// has no General: every switch the policy does not set reads on.
TEST_F(Policy, HostileValuesAreIgnored)
{
    const Hive user = ScopedPolicy::kUser, machine = ScopedPolicy::kMachine;
    const std::wstring never = List(kEmbedNeverList), tessellateNever = List(kTessellateNeverList);
    const std::string longest(kLongestFaceName, 'N'), tooLong(kLongestFaceName + 1, 'M'), longer(300, 'L');
    m_policy.SetList(user, never, {L"Good Face", L"", Wide(longest), Wide(tooLong), Wide(longer)});
    const wchar_t typed[] = L"Typed Face\0"; // with two terminators, as a REG_MULTI_SZ
    for (const DWORD type : {REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY, REG_DWORD})
        m_policy.Set(user, never, L"Typed " + std::to_wstring(type), type, typed, sizeof typed);
    m_policy.Set(user, never, L"Unterminated", REG_SZ, L"Unterminated Face", 17 * sizeof(wchar_t));
    m_policy.Set(user, kPolicyKey, kLockAllValue, REG_SZ, L"1", sizeof L"1");
    const DWORD two = 2;
    m_policy.Set(machine, kPolicyKey, kLockAllValue, REG_DWORD, &two, sizeof two);
    m_policy.SetList(user, tessellateNever, {L"Unreadable Face"});
    m_policy.DenyReading(user, tessellateNever);
    Names many;
    for (int i = 0; i < 10000; ++i)
        many.push_back(L"Many " + std::to_wstring(10000 + i));
    m_policy.SetList(machine, never, many);
    ASSERT_TRUE(WithinASecond([] { return !IsEnabledForFacename("Many 19999", false); }));

    for (const std::string& face : {std::string("Good Face"), longest, std::string("Unterminated Face")})
        EXPECT_FALSE(IsEnabledForFacename(face.c_str(), false)) << face.size() << " characters";
    for (const std::string& face : {std::string("Typed Face"), std::string(), tooLong, longer,
                                    tooLong.substr(0, kLongestFaceName), longer.substr(0, kLongestFaceName)})
        EXPECT_TRUE(IsEnabledForFacename(face.c_str(), false)) << face.size() << " characters of " << face[0];
    EXPECT_TRUE(IsEnabledForFacename("Unreadable Face", true));
    EXPECT_FALSE(CurrentPolicy()->LockAll()) << "a string, or a DWORD 2";
}

// A reset neither writes nor deletes the value of a face whose switch in that
// list a policy sets: when the policy is lifted, the user's choice is back.
TEST_F(Policy, AResetLeavesTheSwitchesThePolicySets)
{
    m_profile.CreateLists();
    for (const std::string& list : {m_profile.EmbedList(), m_profile.TessellateList()})
        for (const char* face : {"User Off", "Tessellation Locked"})
            WriteDwordZero(list, face);
    m_policy.SetList(ScopedPolicy::kUser, List(kTessellateNeverList), {L"Tessellation Locked"});
    m_policy.SetList(ScopedPolicy::kMachine, List(kEmbedAlwaysList), {L"user off", L"Arial"});
    ASSERT_TRUE(WithinASecond([] { return IsEnabledForFacename("User Off", false); }));

    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
    const std::vector<std::string> embedding = ValueNames(m_profile.EmbedList());
    std::set<std::string> expected(kDefaultFaces.begin() + 1, kDefaultFaces.end()); // not Arial, which the policy sets
    expected.insert("User Off");
    EXPECT_EQ(std::set<std::string>(embedding.begin(), embedding.end()), expected);
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), std::vector<std::string>{"Tessellation Locked"});

    m_policy.SetList(ScopedPolicy::kMachine, List(kEmbedAlwaysList), {});
    m_policy.SetList(ScopedPolicy::kUser, List(kTessellateNeverList), {});
    ASSERT_TRUE(WithinASecond([] { return !IsEnabledForFacename("User Off", false); })) << "the user's choice is lost";
    EXPECT_TRUE(IsEnabledForFacename("Arial", false));
    EXPECT_FALSE(IsEnabledForFacename("Tessellation Locked", true));
}

namespace {

// Another writer at a policy list: as a pass reads the first value, it moves
// that value to the end, and every later one down: the pass skips the next.
// It acts on the next g_movingPasses passes.
decltype(&::RegEnumValueW) g_enumValue = nullptr;
int g_movingPasses = 0;

LONG WINAPI EnumValueWhileAnotherWriterMoves(HKEY key, DWORD index, LPWSTR name, LPDWORD nameLength,
                                             LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    const LONG result = g_enumValue(key, index, name, nameLength, reserved, type, data, size);
    if (index != 0 || result != ERROR_SUCCESS || !type || *type != REG_SZ || g_movingPasses == 0)
        return result;
    --g_movingPasses;
    HKEY writable = nullptr;
    ::RegOpenKeyExW(key, nullptr, 0, KEY_SET_VALUE, &writable);
    const UniqueHKey owned(writable);
    ::RegDeleteValueW(writable, name);
    ::RegSetValueExW(writable, name, 0, REG_SZ, data, *size);
    return result;
}

} // namespace

// A list is read again when another writer moved its values meanwhile; a
// reset writes only from a reading that found none moving, and changes
// nothing while another writer keeps them moving.
TEST_F(Policy, AListReadWhileAnotherWriterMovesItMissesNoFace)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "User Face");
    const Names defaults = {L"Moved Default", L"Steady Default"};
    m_policy.SetList(ScopedPolicy::kUser, List(kDefaultNeverEmbedList), defaults);
    ImportHook hook(::GetModuleHandleA(nullptr), "advapi32.dll", "RegEnumValueW", &EnumValueWhileAnotherWriterMoves,
                    g_enumValue);
    for (const int moving : {1, 3}) {
        g_movingPasses = moving;
        const auto policy = PolicySnapshot::Read();
        EXPECT_EQ(policy->Consistent(), moving < 3) << moving << " passes moved";
        EXPECT_EQ(policy->DefaultNeverEmbed().size(), 2u) << moving << " passes moved";
    }
    g_movingPasses = 1000000;
    m_policy.SetList(ScopedPolicy::kUser, List(kDefaultNeverEmbedList), defaults); // a change to read
    ASSERT_TRUE(WithinASecond([] { return !CurrentPolicy()->Consistent(); }));
    EXPECT_EQ(SetAllToDefaults(), ERROR_BUSY);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()), std::vector<std::string>{"User Face"}) << "a reset while moving";
    g_movingPasses = 0;
    EXPECT_EQ(SetAllToDefaults(), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(m_profile.EmbedList()).size(), 2u);
    // The tests after this one reset to the built-in defaults at once.
    m_policy.SetList(ScopedPolicy::kUser, List(kDefaultNeverEmbedList), {});
    EXPECT_TRUE(WithinASecond([] { return CurrentPolicy()->DefaultNeverEmbed().empty(); }));
}
