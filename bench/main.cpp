// Prints one table: each of the library's costly paths beside its floor, the
// same platform work done directly in the same run, with the ratio and
// whether it meets its target. Missed targets are reported, not failed: the
// exit code is 0 unless a benchmark could not run.
//
//   GlyphorBench.exe [SIZE...]    dialog sizes in generated faces (default 500 2000 5000 10000)

#include "bench_profile.h"
#include "dialog_bench.h"
#include "face_query_bench.h"
#include "result_table.h"
#include "tests/support/glyphor_library.h"
#include "tests/support/test_fonts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>

namespace {

constexpr int kQueryRuns = 7;
// Small sizes get more runs: their commits last a few dozen milliseconds, in
// which the registry's own pauses weigh most, and the runs are cheap.
int DialogRuns(int faces)
{
    constexpr int kMinimumRuns = 5;
    constexpr int kFaceRuns = 7500; // 15 runs at 500 faces, 5 from 1,500 up
    return std::max(kMinimumRuns, kFaceRuns / std::max(faces, 1));
}
constexpr int kDefaultSizes[] = {500, 2000, 5000, 10000};

// The listed faces and as many that no list holds, so that half the
// questions answer off and half on.
std::vector<std::string> FacesToAsk(const std::vector<std::string>& listed)
{
    std::vector<std::string> faces = listed;
    for (size_t i = 1; faces.size() < 2 * listed.size(); i += 2)
        faces.push_back(BenchFaceName(static_cast<int>(i)) + " Unlisted");
    return faces;
}

std::vector<int> DialogSizes(int argc, char** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes.assign(std::begin(kDefaultSizes), std::end(kDefaultSizes));
    return sizes;
}

void RunBenchmarks(const std::vector<int>& sizes)
{
    ScopedProfile profile("GlyphorBench");
    GlyphorLibrary library(profile.Path());
    const std::vector<std::string> listed = FillRealisticLists(profile, library);

    std::vector<BenchRow> rows;
    std::fprintf(stderr, "IsEnabledForFacename, %u faces in the lists\n", static_cast<unsigned>(listed.size()));
    rows.push_back(MeasureFaceQuery(library, profile, FacesToAsk(listed), kQueryRuns));

    UniqueHModule resources(::LoadLibraryA("GlyphorRes.dll"));
    if (!resources)
        throw std::runtime_error("cannot load GlyphorRes.dll");
    const std::string fontFolder = ProgramDirectory() + "\\benchfonts";
    for (int size : sizes) {
        PrivateFonts fonts(fontFolder, static_cast<size_t>(size));
        if (fonts.Count() != static_cast<size_t>(size))
            throw std::runtime_error("only " + std::to_string(fonts.Count()) + " fonts in " + fontFolder +
                                     "; `./run bench` generates them");
        std::fprintf(stderr, "dialog with %d generated faces\n", size);
        for (BenchRow& row : MeasureDialog(library, resources.get(), profile, size, DialogRuns(size)))
            rows.push_back(std::move(row));
    }
    PrintTable(rows);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        RunBenchmarks(DialogSizes(argc, argv));
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "GlyphorBench: %s\n", failure.what());
        return 1;
    }
}
