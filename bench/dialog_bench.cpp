#include "dialog_bench.h"

#include "clock.h"
#include "commit_floor.h"
#include "dialog_probe.h"
#include "face_query_bench.h"
#include "floor_dialog.h"
#include "list_operations.h"
#include "dialog/control_ids.h"
#include "store/policy.h"
#include "tests/support/glyphor_library.h"
#include "tests/support/resource_text.h"
#include "tests/support/test_fonts.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

namespace {

struct OpenSample {
    double openSeconds;
    double completeSeconds;
    double commitSeconds;
    std::vector<std::string> items;
    int checked;
};

// How the count line begins while faces are being found.
std::wstring FindingPrefix(HINSTANCE resources)
{
    const std::wstring pattern = ResourceString(resources, IDS_FONT_COUNT_FINDING);
    return pattern.substr(0, pattern.find(L'%'));
}

template <typename ShowDialog>
OpenSample Watch(const std::wstring& finding, DialogProbe::Ending ending, ShowDialog show,
                 std::function<void(HWND)> whileOpen = {})
{
    // Each dialog starts once the window server has finished with the last.
    DialogProbe::Settle();
    DialogProbe probe(ending, finding);
    probe.WhileOpen(std::move(whileOpen));
    probe.Start();
    show();
    probe.RethrowFailure();
    if (!probe.Opened())
        throw std::runtime_error("the dialog was not seen open");
    return {probe.OpenSeconds(), probe.CompleteSeconds(), probe.CommitSeconds(), probe.ItemTexts(),
            probe.CheckedCount()};
}

// Both dialogs must have shown the same faces in the same order with the
// same check boxes, or the figures compare different work.
void ExpectSameList(const OpenSample& floor, size_t floorFaces, const OpenSample& library)
{
    if (floor.items.size() != floorFaces || library.items.size() != floor.items.size() ||
        library.checked != floor.checked)
        throw std::runtime_error("the dialog listed " + std::to_string(library.items.size()) + " faces (" +
                                 std::to_string(library.checked) + " checked), the floor " +
                                 std::to_string(floor.items.size()) + " (" + std::to_string(floor.checked) +
                                 " checked)");
    for (size_t i = 0; i < floor.items.size(); ++i) {
        if (library.items[i] != floor.items[i])
            throw std::runtime_error("item " + std::to_string(i) + " is \"" + library.items[i] +
                                     "\" in the dialog, \"" + floor.items[i] + "\" in the floor");
    }
}

constexpr double kMilliseconds = 1000.0;

// The focus moves through the generated faces, from the first of them in the
// list's order.
constexpr char kFirstGeneratedFace[] = "Glyphor Family 0000";
constexpr int kFocusSteps = 999;
// The dialog answers within this, at any size; each step of the focus shows
// its face within a frame's time.
constexpr double kAnsweringBudgetMs = 200;
constexpr double kFocusStepBudgetMs = 16;

// The faces whose check Clear all changes, with their switches as it leaves
// them (`cleared`) or as they were before (not `cleared`).
std::vector<FloorFace> FacesClearAllChanges(const std::vector<FloorFace>& faces, bool cleared)
{
    std::vector<FloorFace> changed;
    for (const FloorFace& face : faces) {
        if (face.enabled) {
            changed.push_back(face);
            changed.back().enabled = !cleared;
        }
    }
    return changed;
}

// The first listed face with its check turned over, or as it was.
std::vector<FloorFace> FirstFaceTurned(const std::vector<FloorFace>& faces, bool turned)
{
    FloorFace first = faces.front();
    first.enabled = first.enabled != turned;
    return {first};
}

// The policy locks this many of the listed faces, evenly spread, each with
// the check it has: the dialog lists the same faces with the same checks as
// the floor, locked and greyed.
constexpr size_t kLockedFaces = 1000;
constexpr char kLockSentinel[] = "Glyphor Bench Lock Sentinel";

void LockFacesAsTheyAre(const GlyphorLibrary& library, const ScopedPolicy& policy, const std::vector<FloorFace>& faces)
{
    // The lists that set a face's check on or off, by whether it controls embedding.
    const wchar_t* const lists[2][2] = {{kTessellateNeverList, kTessellateAlwaysList},
                                        {kEmbedNeverList, kEmbedAlwaysList}};
    std::map<const wchar_t*, std::vector<std::wstring>> names;
    for (size_t i = 0; i < faces.size(); i += std::max<size_t>(faces.size() / kLockedFaces, 1)) {
        const FloorFace& face = faces[i];
        names[lists[face.embeddable][face.enabled]].emplace_back(face.name.begin(), face.name.end());
    }
    // EmbedNever last, with a face no other list names: once the query
    // honours it, the dialog reads the whole policy.
    names[kEmbedNeverList].emplace_back(std::begin(kLockSentinel), std::end(kLockSentinel) - 1);
    for (const auto& [list, locked] : names)
        if (list != kEmbedNeverList)
            policy.SetList(ScopedPolicy::kMachine, ScopedPolicy::ListKey(list), locked);
    policy.SetList(ScopedPolicy::kMachine, ScopedPolicy::ListKey(kEmbedNeverList), names[kEmbedNeverList]);
    if (!PolicyHonoured(library, kLockSentinel, false))
        throw std::runtime_error("the policy locking faces was not honoured within a second");
}

struct Samples {
    std::vector<double> answering, complete, lockedComplete, openFloor, firstLevel, secondLevel, realise, fill, commit,
        commitFloor;
    std::vector<double> oneChange, oneChangeFloor, checkAll, checkAllFloor, clearAll, clearAllFloor, narrowing,
        narrowingFloor, focusStep, focusStepFloor;

    static void Add(std::vector<double>& to, double seconds) { to.push_back(seconds * kMilliseconds); }
};

BenchRow Row(const std::string& name, const std::string& size, const std::vector<double>& measured,
             const std::vector<double>& floor, double limit)
{
    return {name, size, BenchRow::Kind::Milliseconds, Median(measured), Median(floor), limit};
}

BenchRow InformationRow(const char* name, const std::string& size, const std::vector<double>& measured)
{
    return {name, size, BenchRow::Kind::Milliseconds, Median(measured), 0, 0, BenchRow::Status::Information};
}

// The list's first heading, in the dialog's language.
std::wstring FirstHeading(HWND dialog)
{
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = static_cast<int>(std::size(text));
    ::SendMessageW(::GetDlgItem(dialog, IDC_FONT_LIST), LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    return text;
}

// A dialog of the library in `folder`, which must show the headings of the
// resource library at `resources`.
OpenSample WatchLanguage(const ScopedProfile& profile, const std::string& folder, const std::string& resources)
{
    const UniqueHModule words(::LoadLibraryExA(resources.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const std::wstring heading = ResourceString(words.get(), IDS_COLUMN_FONT);
    GlyphorLibrary library(profile.Path(), folder);
    const auto show = [&] { library.runGlyphorDialog(); };
    return Watch(FindingPrefix(words.get()), DialogProbe::Ending::Cancel, show, [&](HWND dialog) {
        if (heading.empty() || FirstHeading(dialog) != heading)
            throw std::runtime_error("the dialog of " + folder + " is not in the language of " + resources +
                                     ": the process must start in that language's locale");
    });
}

} // namespace

std::vector<BenchRow> MeasureDialog(const GlyphorLibrary& library, HINSTANCE resources, const ScopedProfile& profile,
                                    const std::string& size, const DialogMeasures& measures, int runs)
{
    const std::wstring finding = FindingPrefix(resources);
    Samples samples;
    // The first run of a process warms the font caches and the registry up:
    // its first commit writes values that later commits only overwrite.
    static bool warm = false;
    for (int run = warm ? 0 : -1; run < runs; ++run) {
        FloorOpening opening;
        std::vector<double> steps, floorSteps;
        ListOperationTimes operated;
        const auto stepThroughFaces = [&measures](std::vector<double>& to) {
            return [&to, &measures](HWND dialog) {
                if (measures.focusSteps)
                    to = TimeFocusSteps(dialog, kFirstGeneratedFace, kFocusSteps);
            };
        };
        const OpenSample floor = Watch(finding, DialogProbe::Ending::Cancel,
                                       [&] { opening = RunFloorDialog(resources, library.Module(), profile); }, [&](HWND dialog) {
                                           stepThroughFaces(floorSteps)(dialog);
                                           if (measures.checkAll)
                                               TimeEveryBoxDirectly(dialog, operated);
                                       });
        // OK after Clear all writes every face that was checked. The direct
        // writes are timed in the same conditions: while the library's dialog
        // is open and settled, right before OK, from the same store, to which
        // they are put back. So they are after OK, for the next run. Check all
        // and Clear all, which leave every box clear, come before.
        double directCommit = 0;
        const OpenSample measured = Watch(finding, DialogProbe::Ending::Ok, [&] { library.runGlyphorDialog(); },
                                          [&](HWND dialog) {
                                              stepThroughFaces(steps)(dialog);
                                              if (measures.checkAll)
                                                  TimeCheckAllAndClearAll(dialog, operated);
                                              ClickButton(dialog, IDC_CLEAR_ALL_BTN);
                                              DialogProbe::Settle();
                                              directCommit = DirectCommitSeconds(
                                                  profile, FacesClearAllChanges(opening.faces, true));
                                              DirectCommitSeconds(profile, FacesClearAllChanges(opening.faces, false));
                                          });
        DirectCommitSeconds(profile, FacesClearAllChanges(opening.faces, false));
        ExpectSameList(floor, opening.faces.size(), measured);
        // The policy goes with this block.
        OpenSample locked{};
        if (measures.locked) {
            const ScopedPolicy policy;
            LockFacesAsTheyAre(library, policy, opening.faces);
            locked = Watch(finding, DialogProbe::Ending::Cancel, [&] { library.runGlyphorDialog(); });
            ExpectSameList(floor, opening.faces.size(), locked);
        }
        // Narrowing leaves the checks as it found them, so it shares a dialog
        // with OK after a change of one face, which is one write.
        double oneChangeFloor = 0;
        OpenSample oneChange{};
        if (measures.narrowing) {
            oneChange = Watch(finding, DialogProbe::Ending::Ok, [&] { library.runGlyphorDialog(); }, [&](HWND dialog) {
                TurnFirstCheck(dialog);
                DialogProbe::Settle();
                oneChangeFloor = DirectCommitSeconds(profile, FirstFaceTurned(opening.faces, true));
                DirectCommitSeconds(profile, FirstFaceTurned(opening.faces, false));
                TimeNarrowing(dialog, operated);
            });
            DirectCommitSeconds(profile, FirstFaceTurned(opening.faces, false));
            ExpectSameList(floor, opening.faces.size(), oneChange);
        }
        warm = true;
        if (run < 0)
            continue;
        samples.Add(samples.openFloor, floor.openSeconds);
        samples.Add(samples.answering, measured.openSeconds);
        samples.Add(samples.complete, measured.completeSeconds);
        if (measures.locked)
            samples.Add(samples.lockedComplete, locked.completeSeconds);
        samples.Add(samples.firstLevel, opening.firstLevelSeconds);
        samples.Add(samples.secondLevel, opening.secondLevelSeconds);
        samples.Add(samples.realise, opening.realiseSeconds);
        samples.Add(samples.fill, opening.fillSeconds);
        // A commit's floor is its writes plus the floor dialog's own close,
        // which dispatches the button and asks the dialog to end like OK does.
        samples.Add(samples.commitFloor, directCommit + floor.commitSeconds);
        samples.Add(samples.commit, measured.commitSeconds);
        for (double step : steps)
            samples.Add(samples.focusStep, step);
        for (double step : floorSteps)
            samples.Add(samples.focusStepFloor, step);
        if (measures.checkAll) {
            samples.Add(samples.checkAll, operated.checkAll);
            samples.Add(samples.checkAllFloor, operated.checkAllFloor);
            samples.Add(samples.clearAll, operated.clearAll);
            samples.Add(samples.clearAllFloor, operated.clearAllFloor);
        }
        if (measures.narrowing) {
            samples.Add(samples.oneChange, oneChange.commitSeconds);
            samples.Add(samples.oneChangeFloor, oneChangeFloor + floor.commitSeconds);
            samples.Add(samples.narrowing, operated.narrowing);
            samples.Add(samples.narrowingFloor, operated.narrowingFloor);
        }
    }
    std::vector<BenchRow> rows{
        {"dialog answering (ms)", size, BenchRow::Kind::Milliseconds, Median(samples.answering), 0, kAnsweringBudgetMs,
         BenchRow::Status::Budget},
        Row("complete list (ms)", size, samples.complete, samples.openFloor, 1.15),
        InformationRow("  floor: first level (ms)", size, samples.firstLevel),
        InformationRow("  floor: second-level calls (ms)", size, samples.secondLevel),
        InformationRow("  floor: realisations (ms)", size, samples.realise),
        InformationRow("  floor: list fill (ms)", size, samples.fill),
        Row("OK after Clear all (ms)", size, samples.commit, samples.commitFloor, 1.20),
    };
    if (measures.locked)
        rows.insert(rows.begin() + 2,
                    Row("  with 1,000 faces locked (ms)", size, samples.lockedComplete, samples.openFloor, 1.15));
    if (measures.checkAll) {
        rows.push_back(Row("check all (ms)", size, samples.checkAll, samples.checkAllFloor, 1.20));
        rows.push_back(Row("clear all (ms)", size, samples.clearAll, samples.clearAllFloor, 1.20));
    }
    if (measures.narrowing) {
        rows.push_back(Row("OK after one change (ms)", size, samples.oneChange, samples.oneChangeFloor, 1.20));
        rows.push_back(Row("narrowing (ms)", size, samples.narrowing, samples.narrowingFloor, 1.20));
    }
    if (measures.focusSteps) {
        rows.push_back(Row("focus step with preview (ms)", size, samples.focusStep, samples.focusStepFloor, 1.20));
        rows.push_back({"  95th percentile (ms)", size, BenchRow::Kind::Milliseconds,
                        Percentile(samples.focusStep, 95), 0, kFocusStepBudgetMs, BenchRow::Status::Budget});
    }
    return rows;
}

std::vector<BenchRow> MeasureLanguage(const ScopedProfile& profile, const std::string& language,
                                      const std::string& englishFolder, const std::string& size, int runs)
{
    std::vector<double> translated, english, translatedComplete, englishComplete;
    const std::string resources = ProgramDirectory() + "\\" + language + "\\GlyphorRes.dll";
    // The first of each warms the font caches up; which comes first alternates.
    for (int run = -1; run < runs; ++run) {
        OpenSample inLanguage, inEnglish;
        const bool translationFirst = run % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == translationFirst)
                inLanguage = WatchLanguage(profile, ProgramDirectory(), resources);
            else
                inEnglish = WatchLanguage(profile, englishFolder, englishFolder + "\\GlyphorRes.dll");
        }
        if (inLanguage.items != inEnglish.items)
            throw std::runtime_error("the dialog in " + language + " listed other faces than the English one");
        if (run < 0)
            continue;
        Samples::Add(translated, inLanguage.openSeconds);
        Samples::Add(english, inEnglish.openSeconds);
        Samples::Add(translatedComplete, inLanguage.completeSeconds);
        Samples::Add(englishComplete, inEnglish.completeSeconds);
    }
    return {Row(language + ": dialog answering (ms)", size, translated, english, 1.05),
            Row(language + ": complete list (ms)", size, translatedComplete, englishComplete, 1.05)};
}
