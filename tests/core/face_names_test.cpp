// Face names as the registry takes them: written through the switch writer and
// read back directly and through the exported query of the library loaded
// for the same profile.
#include "process_profile.h"

#include "names/name_table.h"
#include "store/switch_store.h"
#include "tests/support/glyphor_library.h"

#include <algorithm>
#include <memory>
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

// One record of a name table, its string stored as UTF-16, big-endian, or
// at `offset` when that is given.
struct NameRecord {
    USHORT platform, encoding, language, nameId;
    std::wstring text;
    int offset = -1;
};

std::vector<BYTE> NameTable(const std::vector<NameRecord>& records)
{
    std::vector<BYTE> table, storage;
    const auto put = [](std::vector<BYTE>& to, size_t value) {
        to.push_back(static_cast<BYTE>(value >> 8));
        to.push_back(static_cast<BYTE>(value));
    };
    for (size_t field : {size_t{0}, records.size(), 6 + 12 * records.size()})
        put(table, field);
    for (const NameRecord& record : records) {
        for (size_t field : {record.platform, record.encoding, record.language, record.nameId})
            put(table, field);
        put(table, 2 * record.text.size());
        put(table, record.offset >= 0 ? static_cast<size_t>(record.offset) : storage.size());
        for (wchar_t unit : record.text)
            put(storage, static_cast<size_t>(unit));
    }
    table.insert(table.end(), storage.begin(), storage.end());
    return table;
}

// A name short enough to read in a failure message.
std::string Shown(const std::string& name)
{
    return name.size() <= 40 ? '"' + name + '"' : std::to_string(name.size()) + " characters";
}

} // namespace

class StoredFaceNames : public ProcessProfile {};

TEST_F(StoredFaceNames, UnusualNamesAreStoredUnchanged)
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

TEST_F(StoredFaceNames, NullNameReadsOn)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "");
    WriteDwordZero(m_profile.EmbedList(), "Kept");
    WriteDwordZero(m_profile.TessellateList(), "Kept");
    GlyphorLibrary glyphor(m_profile.Path());

    EXPECT_TRUE(glyphor.IsEnabledForFacename(nullptr, false));
    EXPECT_TRUE(glyphor.IsEnabledForFacename(nullptr, true));
    EXPECT_TRUE(BothOn(nullptr));
    EXPECT_EQ(Sorted(ValueNames(m_profile.EmbedList())), (Names{"", "Kept"}));
    EXPECT_EQ(ValueNames(m_profile.TessellateList()), Names{"Kept"});
}

TEST_F(StoredFaceNames, ANameTooLongForTheRegistryFailsQuietly)
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
TEST_F(StoredFaceNames, ListedNamesMatchWithoutRegardToCase)
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

// A face's full names are those of the Windows platform in every language,
// in UTF-16; a table is read only as far as it reaches, and a broken one
// gives no names rather than reading past its end.
TEST(NameTable, FullNamesOfEveryLanguageAndNothingBeyondTheTable)
{
    const std::vector<NameRecord> records = {
        {3, 1, 0x409, 1, L"Family Only"},
        {3, 1, 0x409, 4, L"Glyphor Gothic Bold"},
        {1, 0, 0, 4, L"Mac Name"},
        {3, 3, 0x804, 4, L"Legacy Encoding"},
        {3, 1, 0x411, 4, L"\u30B0\u30EA\u30D5\u30A9 Bold"},
        {3, 10, 0x419, 4, std::wstring(L"Padded\0\0", 8)},
        {3, 1, 0x407, 4, L"Tab\tName"},
        {3, 1, 0x40C, 4, std::wstring(64, L'L')},
        {3, 1, 0x410, 4, L"Far Away", 60000},
    };
    const std::vector<BYTE> table = NameTable(records);
    const auto names = [](const std::vector<TableName>& found) {
        std::vector<std::pair<std::wstring, LANGID>> pairs;
        for (const TableName& name : found)
            pairs.emplace_back(name.name, name.language);
        return pairs;
    };
    const std::vector<std::pair<std::wstring, LANGID>> expected = {
        {L"Glyphor Gothic Bold", 0x409}, {L"\u30B0\u30EA\u30D5\u30A9 Bold", 0x411}, {L"Padded", 0x419}};
    EXPECT_EQ(names(FullNamesIn(table.data(), table.size())), expected);

    // Each cut of the table lies at the end of a page that a page no one may
    // read follows: reading past it faults.
    constexpr size_t kPage = 65536;
    const auto release = [](BYTE* pages) { ::VirtualFree(pages, 0, MEM_RELEASE); };
    const std::unique_ptr<BYTE, decltype(release)> pages(
        static_cast<BYTE*>(::VirtualAlloc(nullptr, 2 * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)), release);
    DWORD access = 0;
    ASSERT_TRUE(pages && ::VirtualProtect(pages.get() + kPage, kPage, PAGE_NOACCESS, &access));
    for (size_t size = 0; size < table.size(); ++size) {
        BYTE* const cut = std::copy(table.begin(), table.begin() + static_cast<long>(size), pages.get() + kPage - size) - size;
        const auto found = names(FullNamesIn(cut, size));
        // Strings lie in the records' order: a cut table gives the first of them.
        EXPECT_TRUE(found.size() <= expected.size() && std::equal(found.begin(), found.end(), expected.begin()))
            << "cut to " << size << " bytes";
        EXPECT_TRUE(size >= 6 + 12 * records.size() || found.empty()) << "records cut at " << size << " bytes";
    }
    std::vector<BYTE> counted = table;
    counted[3] = 0xFF; // more records than the table holds
    EXPECT_TRUE(FullNamesIn(counted.data(), counted.size()).empty());
    EXPECT_TRUE(FullNamesIn(nullptr, 100).empty());
}
