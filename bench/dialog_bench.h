#pragma once

#include "result_table.h"

#include <windows.h>

#include <vector>

class GlyphorLibrary;
class ScopedProfile;

// Opening the library's dialog and its commit on OK, with the faces installed
// now, against the floor dialog and direct registry writes, `runs` times each
// (after one warm-up in the first call). Returns the two rows for `size`.
std::vector<BenchRow> MeasureDialog(const GlyphorLibrary& library, HINSTANCE resources, const ScopedProfile& profile,
                                    int size, int runs);
