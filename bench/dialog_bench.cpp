#include "dialog_bench.h"

#include "clock.h"
#include "commit_floor.h"
#include "dialog_probe.h"
#include "floor_dialog.h"
#include "tests/support/glyphor_library.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace {

struct OpenSample {
    double openSeconds;
    double commitSeconds;
    int items;
    int checked;
};

template <typename ShowDialog>
OpenSample Watch(DialogProbe::Ending ending, ShowDialog show, std::function<void()> whileOpen = {})
{
    DialogProbe probe(ending);
    probe.WhileOpen(std::move(whileOpen));
    probe.Start();
    show();
    if (!probe.Opened())
        throw std::runtime_error("the dialog was not seen open");
    return {probe.OpenSeconds(), probe.CommitSeconds(), probe.ItemCount(), probe.CheckedCount()};
}

// Both dialogs must have shown the same faces with the same check boxes, or
// the figures compare different work.
void ExpectSameList(const OpenSample& floor, size_t floorFaces, const OpenSample& library)
{
    if (floor.items != static_cast<int>(floorFaces) || library.items != floor.items ||
        library.checked != floor.checked)
        throw std::runtime_error("the dialog listed " + std::to_string(library.items) + " faces (" +
                                 std::to_string(library.checked) + " checked), the floor " +
                                 std::to_string(floor.items) + " (" + std::to_string(floor.checked) + " checked)");
}

constexpr double kMilliseconds = 1000.0;

} // namespace

std::vector<BenchRow> MeasureDialog(const GlyphorLibrary& library, HINSTANCE resources, const ScopedProfile& profile,
                                    int size, int runs)
{
    std::vector<double> open, openFloor, commit, commitFloor;
    // The first run of a process warms the font caches and the registry up:
    // its first commit writes values that later commits only overwrite.
    static bool warm = false;
    for (int run = warm ? 0 : -1; run < runs; ++run) {
        std::vector<FloorFace> faces;
        const OpenSample floor =
            Watch(DialogProbe::Ending::Cancel, [&] { faces = RunFloorDialog(resources, profile); });
        // The direct writes are timed in the same conditions as the commit:
        // while the library's dialog is open and settled, right before OK.
        double directCommit = 0;
        const OpenSample measured = Watch(DialogProbe::Ending::Ok, [&] { library.runGlyphorDialog(); },
                                          [&] { directCommit = DirectCommitSeconds(profile, faces); });
        ExpectSameList(floor, faces.size(), measured);
        warm = true;
        if (run < 0)
            continue;
        openFloor.push_back(floor.openSeconds * kMilliseconds);
        open.push_back(measured.openSeconds * kMilliseconds);
        commitFloor.push_back(directCommit * kMilliseconds);
        commit.push_back(measured.commitSeconds * kMilliseconds);
    }
    const std::string faces = std::to_string(size);
    return {
        {"dialog open (ms)", faces, BenchRow::Kind::Milliseconds, Median(open), Median(openFloor), 1.15},
        {"commit on OK (ms)", faces, BenchRow::Kind::Milliseconds, Median(commit), Median(commitFloor), 1.20},
    };
}
