#include "face_query_bench.h"

#include "clock.h"
#include "store/registry_key.h"
#include "tests/support/glyphor_library.h"

#include <stdexcept>

namespace {

// Each run alternates short blocks of the two sides, so that a change in
// the machine's load falls on both.
constexpr int kBlocksPerRun = 10;
constexpr int kCallsPerBlock = 2000;

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
                          const std::vector<std::string>& faces, int runs)
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
    return {"IsEnabledForFacename (calls/s)", "-", BenchRow::Kind::Rate, Median(measured), Median(floor), 0.95};
}
