#pragma once

#include "result_table.h"

#include <windows.h>

#include <string>
#include <vector>

class GlyphorLibrary;
class ScopedProfile;

// What is measured of the dialog beside opening it and OK after Clear all.
struct DialogMeasures {
    bool checkAll = false;   // Check all and Clear all
    bool narrowing = false;  // narrowing the list, and OK after a change of one face
    bool focusSteps = false; // the focus moved through the generated faces, shown in the preview
    bool locked = false;     // opening with 1,000 faces locked by the administrator's policy
};

// Opening the library's dialog (until it answers, against its budget, and
// until its list is complete, against the floor dialog), and OK after Clear
// all against direct registry writes of the same switches, with the faces
// installed now, `runs` times each (after one warm-up in the first call); and
// what `measures` names, each against its floor. Returns the rows for the
// size labelled `size`, with where the floor's opening spent its time beside
// them.
std::vector<BenchRow> MeasureDialog(const GlyphorLibrary& library, HINSTANCE resources, const ScopedProfile& profile,
                                    const std::string& size, const DialogMeasures& measures, int runs);

// The dialog in `language` (a translation's folder name: ja, ar ...) against
// the same dialog in English, in a process whose interface language is that
// language: the time until it answers and until its list is complete, `runs`
// times each, the two alternating. The library in the program's folder
// chooses the translation as it chooses at every call; a copy in
// `englishFolder`, beside the English resource library alone, has nothing
// else to choose. Each run loads the library afresh, so the choice and the
// loading are measured too.
std::vector<BenchRow> MeasureLanguage(const ScopedProfile& profile, const std::string& language,
                                      const std::string& englishFolder, const std::string& size, int runs);
