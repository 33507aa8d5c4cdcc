#include "dialog_bench.h"

#include "clock.h"
#include "commit_floor.h"
#include "dialog_probe.h"
#include "floor_dialog.h"
#include "list_operations.h"
#include "tests/support/glyphor_library.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace {

struct OpenSample {
    double openSeconds;
    double commitSeconds;
    std::vector<std::string> items;
    int checked;
};

template <typename ShowDialog>
OpenSample Watch(DialogProbe::Ending ending, ShowDialog show, std::function<void(HWND)> whileOpen = {})
{
    // Each dialog starts once the window server has finished with the last.
    DialogProbe::Settle();
    DialogProbe probe(ending);
    probe.WhileOpen(std::move(whileOpen));
    probe.Start();
    show();
    probe.RethrowFailure();
    if (!probe.Opened())
        throw std::runtime_error("the dialog was not seen open");
    return {probe.OpenSeconds(), probe.CommitSeconds(), probe.ItemTexts(), probe.CheckedCount()};
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

struct Samples {
    std::vector<double> open, openFloor, firstLevel, secondLevel, realise, fill, commit, commitFloor;
    std::vector<double> checkAll, checkAllFloor, clearAll, clearAllFloor, narrowing, narrowingFloor;

    static void Add(std::vector<double>& to, double seconds) { to.push_back(seconds * kMilliseconds); }
};

BenchRow Row(const char* name, const std::string& size, const std::vector<double>& measured,
             const std::vector<double>& floor, double limit)
{
    return {name, size, BenchRow::Kind::Milliseconds, Median(measured), Median(floor), limit};
}

BenchRow InformationRow(const char* name, const std::string& size, const std::vector<double>& measured)
{
    return {name, size, BenchRow::Kind::Milliseconds, Median(measured), 0, 0, BenchRow::Status::Information};
}

} // namespace

std::vector<BenchRow> MeasureDialog(const GlyphorLibrary& library, HINSTANCE resources, const ScopedProfile& profile,
                                    const std::string& size, bool listOperations, int runs)
{
    Samples samples;
    // The first run of a process warms the font caches and the registry up:
    // its first commit writes values that later commits only overwrite.
    static bool warm = false;
    for (int run = warm ? 0 : -1; run < runs; ++run) {
        FloorOpening opening;
        const OpenSample floor = Watch(DialogProbe::Ending::Cancel, [&] { opening = RunFloorDialog(resources, profile); });
        // The direct writes are timed in the same conditions as the commit:
        // while the library's dialog is open and settled, right before OK.
        double directCommit = 0;
        const OpenSample measured = Watch(DialogProbe::Ending::Ok, [&] { library.runGlyphorDialog(); },
                                          [&](HWND) { directCommit = DirectCommitSeconds(profile, opening.faces); });
        ExpectSameList(floor, opening.faces.size(), measured);
        // The list operations change the checks, so they have a dialog of
        // their own, ended with Cancel.
        ListOperationTimes operated;
        if (listOperations) {
            const OpenSample operatedOn = Watch(DialogProbe::Ending::Cancel, [&] { library.runGlyphorDialog(); },
                                                [&](HWND dialog) { operated = TimeListOperations(dialog); });
            ExpectSameList(floor, opening.faces.size(), operatedOn);
        }
        warm = true;
        if (run < 0)
            continue;
        samples.Add(samples.openFloor, floor.openSeconds);
        samples.Add(samples.open, measured.openSeconds);
        samples.Add(samples.firstLevel, opening.firstLevelSeconds);
        samples.Add(samples.secondLevel, opening.secondLevelSeconds);
        samples.Add(samples.realise, opening.realiseSeconds);
        samples.Add(samples.fill, opening.fillSeconds);
        samples.Add(samples.commitFloor, directCommit);
        samples.Add(samples.commit, measured.commitSeconds);
        if (!listOperations)
            continue;
        samples.Add(samples.checkAll, operated.checkAll);
        samples.Add(samples.checkAllFloor, operated.checkAllFloor);
        samples.Add(samples.clearAll, operated.clearAll);
        samples.Add(samples.clearAllFloor, operated.clearAllFloor);
        samples.Add(samples.narrowing, operated.narrowing);
        samples.Add(samples.narrowingFloor, operated.narrowingFloor);
    }
    std::vector<BenchRow> rows{
        Row("dialog open (ms)", size, samples.open, samples.openFloor, 1.15),
        InformationRow("  floor: first level (ms)", size, samples.firstLevel),
        InformationRow("  floor: second-level calls (ms)", size, samples.secondLevel),
        InformationRow("  floor: realisations (ms)", size, samples.realise),
        InformationRow("  floor: list fill (ms)", size, samples.fill),
        Row("commit on OK (ms)", size, samples.commit, samples.commitFloor, 1.20),
    };
    if (!listOperations)
        return rows;
    rows.push_back(Row("check all (ms)", size, samples.checkAll, samples.checkAllFloor, 1.20));
    rows.push_back(Row("clear all (ms)", size, samples.clearAll, samples.clearAllFloor, 1.20));
    rows.push_back(Row("narrowing (ms)", size, samples.narrowing, samples.narrowingFloor, 1.20));
    return rows;
}
