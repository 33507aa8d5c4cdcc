#include "face_query_bench.h"

#include "clock.h"
#include "store/policy.h"
#include "store/registry_key.h"
#include "tests/support/glyphor_library.h"

#include <stdexcept>

namespace {

// Each run alternates short blocks of the two sides, so that a change in
// the machine's load falls on both.
constexpr int kBlocksPerRun = 100;
constexpr int kCallsPerBlock = 200;

struct QuerySide {
    double seconds = 0;
    int enabledAnswers = 0; // lets the two sides be checked against each other

    template <typename Query>
    void TimeBlock(const std::vector<std::string>& faces, Query query)
    {
        const double start = SecondsNow();
        for (int i = 0; i < kCallsPerBlock; ++i)
            enabledAnswers += query(faces[i % faces.size()].c_str(), (i & 1) != 0) ? 1 : 0;
        seconds += SecondsNow() - start;
    }

    double CallsPerSecond() const { return kBlocksPerRun * kCallsPerBlock / seconds; }
};

} // namespace

BenchRow MeasureFaceQuery(const GlyphorLibrary& library, const ScopedProfile& profile,
                          const std::vector<std::string>& faces, int runs, const char* name, double limit)
{
    const std::string tessellateList = profile.TessellateList();
    const std::string embedList = profile.EmbedList();
    auto direct = [&](const char* face, bool tessellation) {
        UniqueHKey list = OpenUserKey(tessellation ? tessellateList : embedList, KEY_READ);
        return !list || ::RegQueryValueExA(list.get(), face, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
    };
    auto exported = [&](const char* face, bool tessellation) { return library.IsEnabledForFacename(face, tessellation); };

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
            throw std::runtime_error("IsEnabledForFacename answered " + std::to_string(viaExport.enabledAnswers) +
                                     " faces on, the registry " + std::to_string(viaFloor.enabledAnswers));
        floor.push_back(viaFloor.CallsPerSecond());
        measured.push_back(viaExport.CallsPerSecond());
    }
    return {name, "-", BenchRow::Kind::Rate, Median(measured), Median(floor), limit};
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
