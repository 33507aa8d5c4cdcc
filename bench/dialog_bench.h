#pragma once

#include "result_table.h"

#include <windows.h>

#include <string>
#include <vector>

class GlyphorLibrary;
class ScopedProfile;

// Opening the library's dialog, and OK after Clear all, with the faces
// installed now, against the floor dialog and direct registry writes of the
// same switches, `runs` times each (after one warm-up in the first call).
// With `listOperations` also OK after a change of one face, Check all, Clear
// all and narrowing the list, each against its floor in the same open
// dialog. Returns the rows for the size labelled `size`, with where the
// floor's opening spent its time beside them.
std::vector<BenchRow> MeasureDialog(const GlyphorLibrary& library, HINSTANCE resources, const ScopedProfile& profile,
                                    const std::string& size, bool listOperations, int runs);
