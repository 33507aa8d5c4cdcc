// Prints one table: each of the library's costly paths beside its floor, the
// same platform work done directly in the same run, with the ratio and
// whether it meets its target. Missed targets are reported, not failed: the
// exit code is 0 unless a benchmark could not run.
//
//   GlyphorBench.exe [--runs N] [SIZE...]
//   GlyphorBench.exe --language NAME [--runs N] [SIZE...]
//
// A SIZE is a number of generated faces in families of four styles in seven
// character sets, as real text families are, "one-style:N" for N faces of
// one style in one character set each, or "two-languages:N" for N faces of
// which 500 are named in English and Japanese (default 1000 2500 5000 10000
// one-style:5000 two-languages:5000). --runs sets the dialog's runs at every size.
// --language measures the dialog in the language of the translation NAME
// (ja, ar ...) against English instead (default size 5000), in a process
// whose interface language is that language: `./run bench` starts it so, as
// Wine takes the language from the Unix locale.

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
#include <iterator>
#include <stdexcept>

namespace {

constexpr int kQueryRuns = 7;
// The query in UTF-16 within this ratio of the floor's time, and the first
// query of a face by another of its names within this many milliseconds.
constexpr double kWideQueryLimit = 1 / 1.10;
constexpr double kFirstQueryBudgetMs = 2;
// The query is measured again with the administrator's policy naming this
// many faces in each of its lists in both hives, within this ratio of the
// floor's time; a change of that policy is timed this many times.
constexpr int kPolicyNames = 1000;
constexpr double kPolicyQueryLimit = 1 / 1.10;
constexpr int kPolicyChanges = 15;
// Small sizes get more runs: their commits last a few dozen milliseconds, in
// which the registry's own pauses weigh most, and the runs are cheap.
int DialogRuns(int faces)
{
    constexpr int kMinimumRuns = 5;
    constexpr int kFaceRuns = 7500; // 15 runs at 500 faces, 5 from 1,500 up
    return std::max(kMinimumRuns, kFaceRuns / std::max(faces, 1));
}
constexpr const char* kDefaultSizes[] = {"1000", "2500", "5000", "10000", "one-style:5000", "two-languages:5000"};
constexpr const char* kDefaultLanguageSizes[] = {"5000"};
constexpr char kOneStylePrefix[] = "one-style:";
constexpr char kTwoLanguagesPrefix[] = "two-languages:";
// Of a set of faces in two languages, this many are named so.
constexpr int kTwoLanguageFaces = 500;
// Check all and Clear all are measured up to this size, where a list
// message's own cost no longer hides what the dialog adds to it.
constexpr int kCheckAllMostFaces = 5000;
// Narrowing and OK after one change are measured at this size only: their
// targets are set there, and each run pays one more opening of the dialog.
constexpr int kNarrowingFaces = 5000;
// The opening with faces locked by the administrator's policy is measured at
// this size only, where its target is set.
constexpr int kLockedFacesSize = 5000;
// Moving the focus through the faces with the preview is measured over 1,000.
constexpr int kFocusStepFaces = 1000;

std::string TwoLanguagesFolder()
{
    return ProgramDirectory() + "\\benchfonts-two-languages";
}

// Generated faces to open the dialog with.
struct FontSet {
    int faces;
    bool oneStyle;
    int twoLanguages; // of the faces, those named in English and Japanese

    std::string Folder() const { return ProgramDirectory() + (oneStyle ? "\\benchfonts-one-style" : "\\benchfonts"); }
    std::string Label() const
    {
        return std::to_string(faces) + (oneStyle ? " one style" : "") +
               (twoLanguages ? ", " + std::to_string(twoLanguages) + " ja" : "");
    }
    bool Plain() const { return !oneStyle && !twoLanguages; }
};

// The set's faces, registered for the process.
struct RegisteredSet {
    explicit RegisteredSet(const FontSet& set)
        : fonts(set.Folder(), static_cast<size_t>(set.faces - set.twoLanguages)),
          twoLanguages(TwoLanguagesFolder(), static_cast<size_t>(set.twoLanguages))
    {
    }
    size_t Count() const { return fonts.Count() + twoLanguages.Count(); }

    const PrivateFonts fonts;
    const PrivateFonts twoLanguages;
};

// The listed faces and as many that no list holds, so that half the
// questions answer off and half on.
std::vector<std::string> FacesToAsk(const std::vector<std::string>& listed)
{
    std::vector<std::string> faces = listed;
    for (size_t i = 1; faces.size() < 2 * listed.size(); i += 2)
        faces.push_back(BenchFaceName(static_cast<int>(i)) + " Unlisted");
    return faces;
}

struct Options {
    std::vector<FontSet> sets;
    int runs = 0; // by size when 0
    std::string language; // the translation measured against English; none for the library's table
};

Options ReadOptions(int argc, char** argv)
{
    Options options;
    std::vector<std::string> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            options.runs = std::atoi(argv[++i]);
        else if (std::string(argv[i]) == "--language" && i + 1 < argc)
            options.language = argv[++i];
        else
            sizes.emplace_back(argv[i]);
    }
    if (sizes.empty() && !options.language.empty())
        sizes.assign(std::begin(kDefaultLanguageSizes), std::end(kDefaultLanguageSizes));
    else if (sizes.empty())
        sizes.assign(std::begin(kDefaultSizes), std::end(kDefaultSizes));
    for (const std::string& size : sizes) {
        const bool oneStyle = size.rfind(kOneStylePrefix, 0) == 0;
        const bool twoLanguages = size.rfind(kTwoLanguagesPrefix, 0) == 0;
        const size_t prefix = oneStyle ? sizeof kOneStylePrefix - 1 : twoLanguages ? sizeof kTwoLanguagesPrefix - 1 : 0;
        const int faces = std::atoi(size.c_str() + prefix);
        if (faces <= 0 || (twoLanguages && faces < kTwoLanguageFaces))
            throw std::runtime_error("not a size: " + size);
        options.sets.push_back({faces, oneStyle, twoLanguages ? kTwoLanguageFaces : 0});
    }
    return options;
}

// The set's faces, registered for the process: every one of them, or it throws.
void RequireEveryFace(const RegisteredSet& fonts, const FontSet& set)
{
    if (fonts.Count() != static_cast<size_t>(set.faces))
        throw std::runtime_error("only " + std::to_string(fonts.Count()) + " fonts in " + set.Folder() +
                                 (set.twoLanguages ? " and " + TwoLanguagesFolder() : "") +
                                 "; `./run bench` generates them");
}

void RunLanguageBenchmarks(const Options& options)
{
    ScopedProfile profile("GlyphorBench");
    {
        // Unloaded before the runs, each of which loads its library afresh.
        const GlyphorLibrary library(profile.Path());
        FillRealisticLists(profile, library);
    }
    std::vector<BenchRow> rows;
    for (const FontSet& set : options.sets) {
        const RegisteredSet fonts(set);
        RequireEveryFace(fonts, set);
        std::fprintf(stderr, "dialog in %s and in English with %s generated faces\n", options.language.c_str(),
                     set.Label().c_str());
        const int runs = options.runs > 0 ? options.runs : DialogRuns(set.faces);
        for (BenchRow& row :
             MeasureLanguage(profile, options.language, ProgramDirectory() + "\\bench-english", set.Label(), runs))
            rows.push_back(std::move(row));
    }
    PrintTable(rows);
}

void RunBenchmarks(const Options& options)
{
    ScopedProfile profile("GlyphorBench");
    GlyphorLibrary library(profile.Path());
    const std::vector<std::string> listed = FillRealisticLists(profile, library);

    std::vector<BenchRow> rows;
    std::fprintf(stderr, "IsEnabledForFacename, %u faces in the lists\n", static_cast<unsigned>(listed.size()));
    const std::vector<std::string> asked = FacesToAsk(listed);
    rows.push_back(MeasureFaceQuery(library, profile, asked, kQueryRuns, "IsEnabledForFacename (calls/s)", 0.95));
    rows.push_back(
        MeasureFaceQuery(library, profile, asked, kQueryRuns, "IsEnabledForFacenameW (calls/s)", kWideQueryLimit, true));
    std::fprintf(stderr, "IsEnabledForFacenameW, the first query of each face by another of its names\n");
    rows.push_back(MeasureFirstQueriesByAnotherName(library, profile, TwoLanguagesFolder(), kFirstQueryBudgetMs));
    {
        std::fprintf(stderr, "IsEnabledForFacename, %d policy names in each list of both hives\n", kPolicyNames);
        const ScopedPolicy policy;
        rows.push_back(MeasurePolicyChange(library, policy, 0, kPolicyChanges));
        FillPolicy(library, policy, kPolicyNames);
        rows.push_back(
            MeasureFaceQuery(library, profile, asked, kQueryRuns, "  with policy (calls/s)", kPolicyQueryLimit));
        rows.push_back(MeasurePolicyChange(library, policy, 8 * kPolicyNames, kPolicyChanges));
    }

    UniqueHModule resources(::LoadLibraryA("GlyphorRes.dll"));
    if (!resources)
        throw std::runtime_error("cannot load GlyphorRes.dll");
    for (const FontSet& set : options.sets) {
        const RegisteredSet fonts(set);
        RequireEveryFace(fonts, set);
        std::fprintf(stderr, "dialog with %s generated faces\n", set.Label().c_str());
        DialogMeasures measures;
        measures.checkAll = set.Plain() && set.faces <= kCheckAllMostFaces;
        measures.narrowing = set.Plain() && set.faces == kNarrowingFaces;
        measures.focusSteps = set.Plain() && set.faces == kFocusStepFaces;
        measures.locked = set.Plain() && set.faces == kLockedFacesSize;
        const int runs = options.runs > 0 ? options.runs : DialogRuns(set.faces);
        for (BenchRow& row : MeasureDialog(library, resources.get(), profile, set.Label(), measures, runs))
            rows.push_back(std::move(row));
    }
    PrintTable(rows);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = ReadOptions(argc, argv);
        if (!options.language.empty())
            RunLanguageBenchmarks(options);
        else
            RunBenchmarks(options);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "GlyphorBench: %s\n", failure.what());
        return 1;
    }
}
