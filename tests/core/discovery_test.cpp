// Discovery of the installed TrueType faces on real GDI, with the generated
// test fonts registered for this process.
#include "collection_checks.h"
#include "process_profile.h"

#include "common/unique_handle.h"
#include "fonts/face_finder.h"
#include "fonts/truetype_enum.h"
#include "store/switch_store.h"
#include "store/value_names.h"
#include "tests/support/import_hook.h"
#include "tests/support/test_fonts.h"

#include <algorithm>
#include <map>
#include <new>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Stands in for the dialog: the collection and the device-context slot, with
// what the context had selected when it was handed over and taken back.
class RecordingClient final : public CFontEnumClient {
public:
    CFontEntryArray& GetFonts() override { return m_fonts; }
    HDC GetEnumDC() const override { return m_dc; }
    void SetEnumDC(HDC dc) override
    {
        if (dc) {
            ++m_handedOver;
            m_fontHandedOver = ::GetCurrentObject(dc, OBJ_FONT);
        } else if (m_dc) {
            m_fontTakenBack = ::GetCurrentObject(m_dc, OBJ_FONT);
        }
        m_dc = dc;
    }

    CFontEntryArray m_fonts;
    HDC m_dc = nullptr;
    int m_handedOver = 0;
    HGDIOBJ m_fontHandedOver = nullptr;
    HGDIOBJ m_fontTakenBack = nullptr;
};

void ExpectContextReturned(const RecordingClient& client, const std::string& context)
{
    EXPECT_EQ(client.m_handedOver, 1) << context;
    EXPECT_EQ(client.m_dc, nullptr) << context << ": the slot still holds the context";
    EXPECT_NE(client.m_fontHandedOver, nullptr) << context;
    EXPECT_EQ(client.m_fontTakenBack, client.m_fontHandedOver) << context << ": the context's font changed";
}

int CALLBACK CountReport(const LOGFONTA*, const TEXTMETRICA*, DWORD type, LPARAM count)
{
    *reinterpret_cast<int*>(count) += type == TRUETYPE_FONTTYPE;
    return 1;
}

int CALLBACK RecordFamily(const LOGFONTA* family, const TEXTMETRICA*, DWORD type, LPARAM families)
{
    if (type != TRUETYPE_FONTTYPE)
        return 1;
    try {
        reinterpret_cast<std::vector<std::string>*>(families)->emplace_back(family->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
}

// The TrueType families in the order the font service reports them.
std::vector<std::string> TrueTypeFamilies()
{
    std::vector<std::string> families;
    UniqueScreenDC screen(::GetDC(nullptr));
    ::EnumFontsA(screen.get(), nullptr, &RecordFamily, reinterpret_cast<LPARAM>(&families));
    return families;
}

int VariantReports(const char* family)
{
    LOGFONTA request{};
    request.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(request.lfFaceName, family, LF_FACESIZE);
    int reports = 0;
    UniqueScreenDC screen(::GetDC(nullptr));
    ::EnumFontFamiliesExA(screen.get(), &request, &CountReport, reinterpret_cast<LPARAM>(&reports), 0);
    return reports;
}

int Position(const std::vector<std::string>& list, const std::string& name)
{
    auto found = std::find(list.begin(), list.end(), name);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

int EntryCount(const CFontEntryArray& fonts, const std::string& name)
{
    int count = 0;
    for (int index = 0; index < fonts.GetSize(); ++index)
        count += fonts.GetAt(index)->GetFacename() == WideFaceName(name.c_str());
    return count;
}

int EntryIndex(const CFontEntryArray& fonts, const std::string& name)
{
    for (int index = 0; index < fonts.GetSize(); ++index)
        if (fonts.GetAt(index)->GetFacename() == WideFaceName(name.c_str()))
            return index;
    return -1;
}

// The family that reports each test face first; the twin face comes from
// whichever of its two families the font service lists first.
std::map<std::string, std::string> FamilyOfTestFaces(const std::vector<std::string>& families)
{
    std::map<std::string, std::string> family;
    for (size_t i = 0; i < kTestFaceCount; ++i)
        family[kTestFaces[i].facename] = kTestFaces[i].facename;
    family["Glyphor Test Sans Bold"] = "Glyphor Test Sans";
    const bool twinAFirst = Position(families, "Glyphor Test Twin A") < Position(families, "Glyphor Test Twin B");
    family["Glyphor Test Twin"] = twinAFirst ? "Glyphor Test Twin A" : "Glyphor Test Twin B";
    return family;
}

// An entry as the test compares it: name, embeddable, fsType, enabled.
using EntryFields = std::tuple<std::wstring, int, unsigned, int>;

// The ANSI code page spells the name as it is, and the ANSI calls give it so.
bool Spelt(const std::wstring& name)
{
    BOOL lost = FALSE;
    const int units = static_cast<int>(name.size());
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), units, nullptr, 0, nullptr, &lost);
    return !lost && (units == 0 || size > 0);
}

// The entries whose names the ANSI code page spells, or does not.
std::vector<EntryFields> Fields(const CFontEntryArray& fonts, bool spelt = true)
{
    std::vector<EntryFields> fields;
    for (int index = 0; index < fonts.GetSize(); ++index) {
        const CFontEntry& entry = *fonts.GetAt(index);
        if (Spelt(entry.GetFacename()) == spelt)
            fields.emplace_back(entry.GetFacename(), entry.m_embeddable, entry.m_fsType, entry.m_enabled);
    }
    return fields;
}

// The reference: every TrueType report of every family in the family list
// realised, and each new name entered. Counts the fonts that realising each
// face once needs: one per face in a family whose faces' styles differ, one
// per report in a family where two faces share a weight and a slant, and
// one per report more where a face's first report realises another face.
struct LiteralWalk {
    HDC dc = nullptr;
    CFontEntryArray fonts;
    std::vector<ENUMLOGFONTEXA> reports; // of the family being walked
    std::vector<std::string> realised;   // the face each of them realised
    long fontsNeeded = 0;

    static int CALLBACK OnVariant(const LOGFONTA* variant, const TEXTMETRICA*, DWORD type, LPARAM param)
    {
        try {
            if (type == TRUETYPE_FONTTYPE)
                reinterpret_cast<LiteralWalk*>(param)->Realise(*reinterpret_cast<const ENUMLOGFONTEXA*>(variant));
            return 1;
        } catch (...) {
            return 0;
        }
    }

    void Realise(const ENUMLOGFONTEXA& variant)
    {
        reports.push_back(variant);
        realised.emplace_back();
        UniqueHFont font(::CreateFontIndirectA(&variant.elfLogFont));
        SelectedObject selected(dc, font.get());
        std::vector<BYTE> buffer(::GetOutlineTextMetricsA(dc, 0, nullptr));
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
        if (buffer.empty() || !::GetOutlineTextMetricsA(dc, static_cast<UINT>(buffer.size()), metrics))
            return;
        const char* name = reinterpret_cast<const char*>(buffer.data()) + reinterpret_cast<UINT_PTR>(metrics->otmpFaceName);
        realised.back() = name;
        if (!FirstLocaleEqualEntry(fonts, WideFaceName(name).c_str()))
            // The check shows the switch it controls: tessellation where the licence restricts embedding.
            fonts.AddEntry(FaceNames(WideFaceName(name)), metrics->otmfsType != 2,
                           IsEnabledForFacename(name, metrics->otmfsType == 2), metrics->otmfsType);
    }

    explicit LiteralWalk(const std::vector<std::string>& families)
    {
        UniqueScreenDC screen(::GetDC(nullptr));
        dc = screen.get();
        std::set<std::string> walked;
        for (const std::string& family : families) {
            // Vertical forms aside: they are their faces again.
            if (family[0] == '@')
                continue;
            LOGFONTA request{};
            request.lfCharSet = DEFAULT_CHARSET;
            lstrcpynA(request.lfFaceName, family.c_str(), LF_FACESIZE);
            reports.clear();
            realised.clear();
            ::EnumFontFamiliesExA(dc, &request, &OnVariant, reinterpret_cast<LPARAM>(this), 0);
            if (walked.insert(family).second)
                fontsNeeded += FontsNeeded();
        }
    }

    long FontsNeeded() const
    {
        std::set<std::tuple<LONG, BYTE, std::string>> styles; // the faces
        for (const ENUMLOGFONTEXA& report : reports)
            styles.emplace(report.elfLogFont.lfWeight, report.elfLogFont.lfItalic,
                           reinterpret_cast<const char*>(report.elfFullName));
        std::set<std::pair<LONG, BYTE>> distinct;
        for (const auto& [weight, italic, face] : styles)
            distinct.emplace(weight, italic);
        if (distinct.size() != styles.size())
            return static_cast<long>(reports.size());
        std::set<std::string> faces;
        for (size_t i = 0; i < reports.size(); ++i) {
            const std::string face = reinterpret_cast<const char*>(reports[i].elfFullName);
            if (faces.insert(face).second && realised[i] != face)
                return static_cast<long>(styles.size() + reports.size());
        }
        return static_cast<long>(styles.size());
    }
};

} // namespace

class Discovery : public ProcessProfile {
protected:
    const PrivateFonts m_testFonts;
};

TEST_F(Discovery, EachFaceIsEnteredOnceInFamilyOrderWithItsEmbeddingPermission)
{
    const std::vector<std::string> families = TrueTypeFamilies();
    ASSERT_GE(Position(families, "Glyphor Test Twin A"), 0);
    ASSERT_GE(Position(families, "Glyphor Test Twin B"), 0);
    ASSERT_GT(VariantReports("Glyphor Test Sans"), 2) << "the Sans family is not reported in several character sets";
    const std::map<std::string, std::string> familyOf = FamilyOfTestFaces(families);

    RecordingClient client;
    EnumerateTrueTypeFaces(client, ProfileKeyPaths());
    const CFontEntryArray& fonts = client.m_fonts;

    for (size_t i = 0; i < kTestFaceCount; ++i) {
        const std::string face = kTestFaces[i].facename;
        ASSERT_EQ(EntryCount(fonts, face), 1) << face;
        const CFontEntry* entry = fonts.FindByFacename(WideFaceName(face.c_str()));
        // The twin face takes its permission from the family listed first.
        const unsigned fsType = face == "Glyphor Test Twin" && familyOf.at(face) == "Glyphor Test Twin B"
                                    ? 2u
                                    : kTestFaces[i].fsType;
        EXPECT_EQ(entry->m_embeddable, fsType == 2 ? 0 : 1) << face << ", fsType " << fsType;
        EXPECT_EQ(entry->m_fsType, fsType) << face;
        EXPECT_EQ(entry->m_enabled, 1) << face << ": no list exists";
    }

    // Faces of different families appear in the order of their families.
    for (size_t i = 0; i < kTestFaceCount; ++i)
        for (size_t j = 0; j < kTestFaceCount; ++j) {
            const std::string a = kTestFaces[i].facename, b = kTestFaces[j].facename;
            const int familyA = Position(families, familyOf.at(a)), familyB = Position(families, familyOf.at(b));
            if (familyA < familyB) {
                EXPECT_LT(EntryIndex(fonts, a), EntryIndex(fonts, b))
                    << a << " (family " << familyA << ") after " << b << " (family " << familyB << ")";
            }
        }

    ExpectConsistent(fonts);
    ExpectContextReturned(client, "one enumeration");
}

// Each family asked once and each face realised once where the family leaves
// no doubt which face a report realises: the same entries as the reference,
// the literal walk through the ANSI calls, with real-shaped families, faces
// sharing a style, weights the font service takes for one, the twins, and
// faces named in several languages among them; and besides, the faces whose
// names the ANSI code page cannot spell. Vertical forms are left out.
TEST_F(Discovery, FindsWhatRealisingEveryReportFindsWithOneFontPerFace)
{
    const PrivateFonts languages(ProgramDirectory() + "\\testfonts\\languages");
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "Glyphor Test Family Italic");
    WriteDwordZero(m_profile.TessellateList(), "Glyphor Test Halves East");
    const std::vector<std::string> families = TrueTypeFamilies();
    ASSERT_EQ(std::count(families.begin(), families.end(), "Glyphor Test Family"), 7) << "once per character set";
    ASSERT_EQ(VariantReports("Glyphor Test Family"), 28) << "four styles in seven character sets";
    const LiteralWalk literal(families);

    RecordingClient client;
    long fontsMade = 0;
    {
        HandleBalance balance(::GetModuleHandleA(nullptr));
        EnumerateTrueTypeFaces(client, ProfileKeyPaths());
        fontsMade = balance.FontsCreatedInAll();
    }
    EXPECT_EQ(Fields(client.m_fonts), Fields(literal.fonts));
    const std::vector<EntryFields> unspelt = Fields(client.m_fonts, false);
    EXPECT_EQ(std::count_if(unspelt.begin(), unspelt.end(),
                            [](const EntryFields& entry) { return std::get<0>(entry).rfind(L"\u683C\u5229\u798F", 0) == 0; }),
              4)
        << "the Chinese family's four faces";
    EXPECT_EQ(fontsMade, literal.fontsNeeded + static_cast<long>(unspelt.size()));
}

// A face is entered enabled when the switch its check controls is on: the
// embedding switch, or the tessellation switch where the licence restricts
// embedding. The other list does not count.
TEST_F(Discovery, FacesAreEnteredWithTheSwitchTheirCheckControls)
{
    m_profile.CreateLists();
    WriteDwordZero(m_profile.EmbedList(), "Glyphor Test Sans");
    WriteDwordZero(m_profile.TessellateList(), "Glyphor Test Preview");
    WriteDwordZero(m_profile.TessellateList(), "Glyphor Test Restricted");
    WriteDwordZero(m_profile.EmbedList(), "Glyphor Test Restricted");
    WriteDwordZero(m_profile.EmbedList(), "Glyphor Test Family Bold"); // restricted

    RecordingClient client;
    EnumerateTrueTypeFaces(client, ProfileKeyPaths());
    for (const char* face : {"Glyphor Test Sans", "Glyphor Test Preview", "Glyphor Test Restricted",
                             "Glyphor Test Family Bold", "Glyphor Test Mixed"}) {
        const CFontEntry* entry = client.m_fonts.FindByFacename(WideFaceName(face));
        ASSERT_NE(entry, nullptr) << face;
        const bool off = std::string(face) == "Glyphor Test Sans" || std::string(face) == "Glyphor Test Restricted";
        EXPECT_EQ(entry->m_enabled, off ? 0 : 1) << face;
    }
}

TEST_F(Discovery, EntriesAlreadyHeldAreNotAddedAgain)
{
    RecordingClient client;
    client.m_fonts.AddEntry(FaceNames(L"Glyphor Test Sans"), 0, 0);
    EnumerateTrueTypeFaces(client, ProfileKeyPaths());
    const int size = client.m_fonts.GetSize();
    EXPECT_EQ(EntryCount(client.m_fonts, "Glyphor Test Sans"), 1);
    EXPECT_EQ(client.m_fonts.GetAt(0)->m_embeddable, 0) << "the held entry was replaced";
    EXPECT_EQ(client.m_fonts.GetAt(0)->m_enabled, 0) << "the held entry was replaced";

    std::vector<const CFontEntry*> first;
    for (int index = 0; index < size; ++index)
        first.push_back(client.m_fonts.GetAt(index));
    client.m_handedOver = 0;
    EnumerateTrueTypeFaces(client, ProfileKeyPaths());
    ASSERT_EQ(client.m_fonts.GetSize(), size) << "a second run added entries";
    for (int index = 0; index < size; ++index)
        EXPECT_EQ(client.m_fonts.GetAt(index), first[index]) << index;
    ExpectContextReturned(client, "second run");
}

TEST_F(Discovery, DozensOfRunsLeaveNoKeyFontOrContextBehind)
{
    m_profile.CreateLists();
    long keys = 0, fonts = 0, contexts = 0, keysOpened = 0, fontsCreated = 0;
    {
        HandleBalance balance(::GetModuleHandleA(nullptr));
        for (int run = 0; run < 24; ++run) {
            RecordingClient client;
            EnumerateTrueTypeFaces(client, ProfileKeyPaths());
        }
        keys = balance.OpenKeys();
        fonts = balance.LiveFonts();
        contexts = balance.HeldDCs();
        keysOpened = balance.KeysOpenedInAll();
        fontsCreated = balance.FontsCreatedInAll();
    }
    EXPECT_EQ(keys, 0);
    EXPECT_EQ(fonts, 0);
    EXPECT_EQ(contexts, 0);
    EXPECT_GE(keysOpened, 24) << "the lists were not read";
    EXPECT_GE(fontsCreated, 24 * static_cast<long>(kTestFaceCount)) << "the faces were not realised";
}

// Allocation fails at points spread over a whole discovery: each failure
// reaches the caller as bad_alloc, after the context has been handed back,
// and leaves a usable collection and nothing open.
TEST_F(Discovery, AllocationFailureReachesTheCallerAndLeavesNothingBehind)
{
    const HMODULE program = ::GetModuleHandleA(nullptr);
    int failedWithEntries = 0;
    bool completed = false;
    for (long allowed = 0; !completed && allowed < 10'000'000; allowed += allowed / 2 + 1) {
        const std::string context = "allocation " + std::to_string(allowed) + " failed";
        RecordingClient client;
        bool threw = false;
        long failures = 0, keys = 0, fonts = 0, contexts = 0;
        {
            HandleBalance balance(program);
            {
                AllocationFailure failure(program, allowed);
                try {
                    EnumerateTrueTypeFaces(client, ProfileKeyPaths());
                } catch (const std::bad_alloc&) {
                    threw = true;
                }
                failures = failure.Failures();
            }
            keys = balance.OpenKeys();
            fonts = balance.LiveFonts();
            contexts = balance.HeldDCs();
        }
        completed = failures == 0;
        failedWithEntries += threw && client.m_fonts.GetSize() > 0;
        EXPECT_EQ(threw, failures > 0) << context;
        EXPECT_EQ(keys, 0) << context;
        EXPECT_EQ(fonts, 0) << context;
        EXPECT_EQ(contexts, 0) << context;
        ExpectContextReturned(client, context);
        ExpectConsistent(client.m_fonts);
    }
    EXPECT_TRUE(completed) << "discovery never ran to its end";
    EXPECT_GE(failedWithEntries, 3) << "too few failures fell in the middle of a discovery";
}

// The finder's walk runs on a thread of its own, yet sorts in the locale of
// the thread that starts it, which a host may have set: Lithuanian sorts y
// with i, so the test faces' keys differ from those of the default locale.
TEST_F(Discovery, TheFinderSortsInTheLocaleOfTheThreadThatStartsIt)
{
    const std::wstring name = WideFaceName(kTestFaces[0].facename);
    const std::string defaultKey = LocaleSortKey(name.c_str());
    const LCID own = ::GetThreadLocale();
    ::SetThreadLocale(MAKELCID(MAKELANGID(LANG_LITHUANIAN, SUBLANG_DEFAULT), SORT_DEFAULT));
    EXPECT_NE(LocaleSortKey(name.c_str()), defaultKey) << "the locales sort the name alike";
    const UniqueHWnd window(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    CFaceFinder finder;
    finder.Start(window.get(), WM_APP, nullptr, ProfileKeyPaths());
    MSG message;
    for (bool last = false; !last && ::GetMessageA(&message, window.get(), WM_APP, WM_APP) > 0; finder.Shown()) {
        const CFaceFinder::Batch batch = finder.Take(message.wParam);
        for (const FoundFace& face : batch.faces)
            EXPECT_EQ(face.sortKey, LocaleSortKey(face.names.Reported().c_str())) << face.names.Reported();
        last = batch.last;
    }
    ::SetThreadLocale(own);
}
