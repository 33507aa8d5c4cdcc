#include "face_query_bench.h"

#include "bench_profile.h"
#include "clock.h"
#include "common/ansi_text.h"
#include "store/policy.h"
#include "store/registry_key.h"
#include "tests/support/glyphor_library.h"
#include "tests/support/test_fonts.h"

#include <stdexcept>

namespace {

// Each run alternates short blocks of the two sides, so that a change in
// the machine's load falls on both.
constexpr int kBlocksPerRun = 100;
constexpr int kCallsPerBlock = 200;

struct QuerySide {
    double seconds = 0;
    int enabledAnswers = 0; // lets the two sides be checked against each other

    template <typename Face, typename Query>
    void TimeBlock(const std::vector<Face>& faces, Query query)
    {
        const double start = SecondsNow();
        for (int i = 0; i < kCallsPerBlock; ++i)
            enabledAnswers += query(faces[i % faces.size()].c_str(), (i & 1) != 0) ? 1 : 0;
        seconds += SecondsNow() - start;
    }

    double CallsPerSecond() const { return kBlocksPerRun * kCallsPerBlock / seconds; }
};

} // namespace

namespace {

// The registry's own answer, and the library's, for a name in either form.
bool HasValue(HKEY list, const char* face)
{
    return ::RegQueryValueExA(list, face, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool HasValue(HKEY list, const wchar_t* face)
{
    return ::RegQueryValueExW(list, face, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool IsEnabled(const GlyphorLibrary& library, const char* face, bool tessellation)
{
    return library.IsEnabledForFacename(face, tessellation);
}

bool IsEnabled(const GlyphorLibrary& library, const wchar_t* face, bool tessellation)
{
    return library.IsEnabledForFacenameW(face, tessellation);
}

template <typename Char>
BenchRow MeasureQuery(const GlyphorLibrary& library, const ScopedProfile& profile,
                      const std::vector<std::basic_string<Char>>& faces, int runs, const char* name, double limit)
{
    const std::string tessellateList = profile.TessellateList();
    const std::string embedList = profile.EmbedList();
    auto direct = [&](const Char* face, bool tessellation) {
        UniqueHKey list = OpenUserKey(tessellation ? tessellateList : embedList, KEY_READ);
        return !list || !HasValue(list.get(), face);
    };
    auto exported = [&](const Char* face, bool tessellation) { return IsEnabled(library, face, tessellation); };

    std::vector<double> measured, floor;
    for (int run = 0; run < runs; ++run) {
        QuerySide viaFloor, viaExport;
        for (int block = 0; block < kBlocksPerRun; ++block) {
            if (block % 2) {
                viaExport.TimeBlock(faces, exported);
                viaFloor.TimeBlock(faces, direct);
            } else {
                viaFloor.TimeBlock(faces, direct);
                viaExport.TimeBlock(faces, exported);
            }
        }
        if (viaFloor.enabledAnswers != viaExport.enabledAnswers)
            throw std::runtime_error(std::string(name) + " answered " + std::to_string(viaExport.enabledAnswers) +
                                     " faces on, the registry " + std::to_string(viaFloor.enabledAnswers));
        floor.push_back(viaFloor.CallsPerSecond());
        measured.push_back(viaExport.CallsPerSecond());
    }
    return {name, "-", BenchRow::Kind::Rate, Median(measured), Median(floor), limit};
}

} // namespace

BenchRow MeasureFaceQuery(const GlyphorLibrary& library, const ScopedProfile& profile,
                          const std::vector<std::string>& faces, int runs, const char* name, double limit, bool wide)
{
    if (!wide)
        return MeasureQuery(library, profile, faces, runs, name, limit);
    std::vector<std::wstring> wideFaces;
    for (const std::string& face : faces)
        wideFaces.push_back(Widened(face));
    return MeasureQuery(library, profile, wideFaces, runs, name, limit);
}

BenchRow MeasureFirstQueriesByAnotherName(const GlyphorLibrary& library, const ScopedProfile& profile,
                                          const std::string& folder, double budgetMs)
{
    const PrivateFonts fonts(folder);
    const int faces = static_cast<int>(fonts.Count());
    for (int i = 0; i < faces; ++i)
        WriteDwordZero(profile.EmbedList(), TwoLanguageBenchFaceName(i, true));
    std::vector<double> times;
    int found = 0;
    for (int i = 0; i < faces; ++i) {
        const std::wstring english = TwoLanguageBenchFaceName(i, false);
        const double start = SecondsNow();
        found += library.IsEnabledForFacenameW(english.c_str(), false) ? 0 : 1;
        times.push_back((SecondsNow() - start) * 1000);
    }
    // The lists as they were: the dialog's benchmarks compare checks with a floor that reads names as they are.
    const UniqueHKey list = OpenUserKey(profile.EmbedList(), KEY_SET_VALUE);
    for (int i = 0; list && i < faces; ++i)
        ::RegDeleteValueW(list.get(), TwoLanguageBenchFaceName(i, true).c_str());
    if (faces == 0 || found != faces)
        throw std::runtime_error(std::to_string(faces - found) + " of " + std::to_string(faces) + " faces in " + folder +
                                 " were not found by another of their names; `./run bench` generates them");
    return {"first query by another name (ms)", std::to_string(faces) + " faces", BenchRow::Kind::Milliseconds,
            Median(times), 0, budgetMs, BenchRow::Status::Budget};
}

bool PolicyHonoured(const GlyphorLibrary& library, const char* face, bool on)
{
    for (const double start = SecondsNow(); SecondsNow() - start < 1;)
        if (library.IsEnabledForFacename(face, false) == on)
            return true;
    return false;
}

void FillPolicy(const GlyphorLibrary& library, const ScopedPolicy& policy, int names)
{
    // The user's EmbedNever last: once its last name is honoured, all are read.
    for (const wchar_t* list : {kEmbedAlwaysList, kTessellateNeverList, kTessellateAlwaysList, kEmbedNeverList}) {
        std::vector<std::wstring> faces;
        for (int i = 0; i < names; ++i)
            faces.push_back(std::wstring(L"Policy ") + list + L" " + std::to_wstring(i));
        for (ScopedPolicy::Hive hive : {ScopedPolicy::kMachine, ScopedPolicy::kUser})
            policy.SetList(hive, ScopedPolicy::ListKey(list), faces);
    }
    const std::string last = "Policy EmbedNever " + std::to_string(names - 1);
    if (!PolicyHonoured(library, last.c_str(), false))
        throw std::runtime_error("the policy written was not honoured within a second");
}

BenchRow MeasurePolicyChange(const GlyphorLibrary& library, const ScopedPolicy& policy, int names, int runs)
{
    std::vector<double> delays;
    for (int run = 0; run < runs; ++run) {
        // A name more in the user's list: the policy is read whole again.
        const std::string face = "Changed Face " + std::to_string(run);
        const std::wstring wide(face.begin(), face.end());
        policy.Set(ScopedPolicy::kUser, ScopedPolicy::ListKey(kEmbedNeverList), L"changed", REG_SZ, wide.c_str(),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
        const double changed = SecondsNow();
        if (!PolicyHonoured(library, face.c_str(), false))
            throw std::runtime_error("a change of the policy was not honoured within a second");
        delays.push_back((SecondsNow() - changed) * 1000);
    }
    return {"policy change to query (ms)", std::to_string(names) + " names", BenchRow::Kind::Milliseconds,
            Median(delays), 0, 0, BenchRow::Status::Information};
}
