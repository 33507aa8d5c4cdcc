// The collection of discovered faces: order, lookups and failure safety.
#include "collection_checks.h"

#include "store/value_names.h"
#include "tests/support/import_hook.h"

#include "common/unique_handle.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

TEST(FontCollection, EmptyCollectionFindsNothing)
{
    CFontEntryArray fonts;
    EXPECT_EQ(fonts.GetSize(), 0);
    EXPECT_EQ(fonts.FindByFacename(L"Arial"), nullptr);
    EXPECT_EQ(fonts.FindByFacename(L""), nullptr);
    EXPECT_EQ(fonts.FindByFacenameLocale(L"Arial"), nullptr);
    EXPECT_EQ(fonts.FindByFacenameLocale(L""), nullptr);
    fonts.RemoveAll();
    EXPECT_EQ(fonts.GetSize(), 0);
}

TEST(FontCollection, EntriesKeepTheirInsertionIndexUntilRemoveAll)
{
    CFontEntryArray fonts;
    const int count = 100; // past several growths of the storage
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(fonts.AddEntry(FaceNames(L"Face " + std::to_wstring(i)), i % 2, i % 3 == 0), i);
    ASSERT_EQ(fonts.GetSize(), count);
    for (int i = 0; i < count; ++i) {
        const std::wstring name = L"Face " + std::to_wstring(i);
        const CFontEntry* entry = fonts.GetAt(i);
        EXPECT_EQ(entry->GetFacename(), name);
        EXPECT_EQ(entry->m_embeddable, i % 2) << name;
        EXPECT_EQ(entry->m_enabled, i % 3 == 0 ? 1 : 0) << name;
        EXPECT_EQ(fonts.FindByFacename(name), entry) << name;
        EXPECT_EQ(fonts.FindByFacenameLocale(name.c_str()), entry) << name;
    }

    fonts.RemoveAll();
    EXPECT_EQ(fonts.GetSize(), 0);
    EXPECT_EQ(fonts.FindByFacename(L"Face 0"), nullptr);
    EXPECT_EQ(fonts.FindByFacenameLocale(L"Face 0"), nullptr);
    EXPECT_EQ(fonts.AddEntry(FaceNames(L"Face 7"), 1, 1), 0);
    EXPECT_EQ(fonts.FindByFacename(L"Face 7"), fonts.GetAt(0));
    EXPECT_EQ(fonts.FindByFacenameLocale(L"Face 7"), fonts.GetAt(0));
}

TEST(FontCollection, LookupsAreCaseSensitiveAndAnswerTheFirstOfEqualNames)
{
    CFontEntryArray fonts;
    fonts.AddEntry(FaceNames(L"Other Face"), 1, 1);
    fonts.AddEntry(FaceNames(L"Glyphor Test Sans"), 1, 1);
    fonts.AddEntry(FaceNames(L"Glyphor Test Sans"), 0, 0);
    fonts.AddEntry(FaceNames(L"glyphor test sans"), 0, 1);

    EXPECT_EQ(fonts.FindByFacename(L"Glyphor Test Sans"), fonts.GetAt(1));
    EXPECT_EQ(fonts.FindByFacenameLocale(L"Glyphor Test Sans"), fonts.GetAt(1));
    EXPECT_EQ(fonts.FindByFacename(L"glyphor test sans"), fonts.GetAt(3));
    EXPECT_EQ(fonts.FindByFacenameLocale(L"glyphor test sans"), fonts.GetAt(3));
    for (const wchar_t* spelling : {L"GLYPHOR TEST SANS", L"Glyphor test Sans", L"other face"}) {
        EXPECT_EQ(fonts.FindByFacename(spelling), nullptr) << spelling;
        EXPECT_EQ(fonts.FindByFacenameLocale(spelling), nullptr) << spelling;
    }
}

// An entry that cannot be added in full is not added at all: every
// allocation that AddEntry makes is failed in turn, for a new name and for a
// name the collection already holds.
TEST(FontCollection, AddEntryUnderAllocationFailureLeavesTheCollectionAsItWas)
{
    CFontEntryArray fonts;
    const int held = 8; // the next addition grows the storage
    for (int i = 0; i < held; ++i)
        fonts.AddEntry(FaceNames(L"Held Face With A Long Name " + std::to_wstring(i)), 1, 1);
    const HMODULE program = ::GetModuleHandleA(nullptr);

    const std::wstring added[] = {L"A New Face With A Long Name", L"Held Face With A Long Name 3"};
    for (const std::wstring& name : added) {
        const CFontEntry* before = fonts.FindByFacename(name);
        const int size = fonts.GetSize();
        long allowed = 0;
        int index = -1;
        for (;; ++allowed) {
            bool failed = false;
            {
                AllocationFailure failure(program, allowed);
                try {
                    index = fonts.AddEntry(FaceNames(name), 0, 0);
                } catch (const std::bad_alloc&) {
                    failed = true;
                }
            }
            if (!failed)
                break;
            ASSERT_LT(allowed, 100) << name << ": AddEntry never succeeded";
            EXPECT_EQ(fonts.GetSize(), size) << name << ", allocation " << allowed << " failed";
            EXPECT_EQ(fonts.FindByFacename(name), before) << name << ", allocation " << allowed << " failed";
            EXPECT_EQ(fonts.FindByFacenameLocale(name.c_str()), before)
                << name << ", allocation " << allowed << " failed";
            ExpectConsistent(fonts);
        }
        EXPECT_GE(allowed, 2) << name << ": too few allocations were failed to mean anything";
        EXPECT_EQ(index, size) << name;
        EXPECT_EQ(fonts.GetAt(index)->GetFacename(), name);
        EXPECT_EQ(fonts.FindByFacename(name), before ? before : fonts.GetAt(index)) << name;
        ExpectConsistent(fonts);
    }
}

namespace {

// Case twins, accents, ligatures, punctuation, digits, control and 8-bit
// bytes, and long names, spelt in the ANSI code page.
std::vector<std::wstring> AwkwardNames()
{
    const std::vector<std::string> names = {
        "", " ", "  ", "a", "A", "b", "Face", "face", "FACE", "Face ", "Face  ", " Face", "co-op", "coop", "co op",
        "co'op", "Co-Op", "coop-", "-coop", "co--op", "co\xADop", "ae", "\xE6", "AE", "\xC6", "ss", "\xDF", "SS",
        "cafe", "caf\xE9", "CAF\xC9", "caf\xE8", "\xC0", "\xE0", "A\xC0", "\xFF", "y", "\xFD", "\xD1", "\xF1", "n",
        "Face\t", "Face\x01", "Face\x1F", "\x01", "\x7F", "1", "01", "10", "Face 1", "Face 01", "Face1",
        "Face.", "Face,", "Face!", "Face_", "_Face", "Face&Sans", "Face & Sans", "Face\xB7",
        std::string(200, 'x'), std::string(200, 'x') + "-", std::string(199, 'x') + "X", std::string(1000, 'y'),
        "Arial Bold", "arial bold", "Arial bold", "\xC6ther", "AEther", "aether", "_Glyphor", "Glyphor-Sans",
    };
    std::vector<std::wstring> wide;
    for (const std::string& name : names)
        wide.push_back(WideFaceName(name.c_str()));
    return wide;
}

std::vector<std::wstring> TextsOf(HWND list)
{
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[2048] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        ::SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

} // namespace

// The locale lookup narrows its search by sort key. That is sound only if two
// names have equal sort keys exactly when lstrcmpW calls them equal, and the
// lookup must answer what a plain scan with lstrcmpW answers.
TEST(FontCollection, LocaleLookupAgreesWithLstrcmpW)
{
    const std::vector<std::wstring> names = AwkwardNames();

    std::vector<std::string> keys;
    for (const std::wstring& name : names)
        keys.push_back(LocaleSortKey(name.c_str()));
    int disagreements = 0;
    for (size_t i = 0; i < names.size(); ++i)
        for (size_t j = 0; j < names.size(); ++j) {
            const bool equal = ::lstrcmpW(names[i].c_str(), names[j].c_str()) == 0;
            if (equal != (keys[i] == keys[j])) {
                ++disagreements;
                ADD_FAILURE() << "lstrcmpW calls \"" << names[i] << "\" and \"" << names[j] << "\" "
                              << (equal ? "equal" : "different") << " but their sort keys are "
                              << (equal ? "different" : "equal");
            }
        }
    EXPECT_EQ(disagreements, 0);

    CFontEntryArray fonts;
    for (const std::wstring& name : names)
        fonts.AddEntry(FaceNames(name), 1, 1);
    for (const std::wstring& probe : names) {
        EXPECT_EQ(fonts.FindByFacenameLocale(probe.c_str()), FirstLocaleEqualEntry(fonts, probe.c_str()))
            << '"' << probe << '"';
        EXPECT_EQ(fonts.FindByFacename(probe), FirstEqualEntry(fonts, probe)) << '"' << probe << '"';
    }
    for (const wchar_t* absent : {L"Absent", L"co_op", L"Face  Sans"})
        EXPECT_EQ(fonts.FindByFacenameLocale(absent), FirstLocaleEqualEntry(fonts, absent)) << absent;
}

// The dialog lists faces in the collection's name order; it must be the order
// a list that sorts itself gives them. Names the comparison calls equal may
// stand in either order.
TEST(FontCollection, NameOrderIsTheOrderOfASelfSortingList)
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    const UniqueHWnd list(::CreateWindowExW(
        0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT | LVS_SORTASCENDING, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(list);
    CFontEntryArray fonts;
    for (const std::wstring& name : AwkwardNames()) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<wchar_t*>(name.c_str());
        ::SendMessageW(list.get(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        fonts.AddEntry(FaceNames(name), 1, 1);
    }
    const std::vector<std::wstring> listed = TextsOf(list.get());
    const std::vector<int> order = fonts.OrderByName();
    ASSERT_EQ(order.size(), listed.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const std::wstring& ours = fonts.GetAt(order[i])->GetFacename();
        EXPECT_EQ(::lstrcmpW(ours.c_str(), listed[i].c_str()), 0)
            << "position " << i << ": \"" << ours << "\", the list has \"" << listed[i] << '"';
    }
}
