#pragma once

#include "result_table.h"

#include <string>
#include <vector>

class GlyphorLibrary;
class ScopedProfile;

class ScopedPolicy;

// IsEnabledForFacename through the export, or IsEnabledForFacenameW when
// `wide`, in calls per second, against the same registry work done directly:
// open the list for reading, ask whether the face's value exists (by its name
// in UTF-16 when `wide`), close. Both ask about `faces` in turn, alternating
// the two lists. The row has that name and that lower bound on the ratio.
BenchRow MeasureFaceQuery(const GlyphorLibrary& library, const ScopedProfile& profile,
                          const std::vector<std::string>& faces, int runs, const char* name, double limit,
                          bool wide = false);

// The first query of each face of a folder of faces named in English and
// Japanese, by its English name, while the embedding list names it by its
// Japanese one: each must find the face's names, within `budgetMs` (the
// median). The values are removed afterwards.
BenchRow MeasureFirstQueriesByAnotherName(const GlyphorLibrary& library, const ScopedProfile& profile,
                                          const std::string& folder, double budgetMs);

// Gives every list of the administrator's policy, in both hives, `names`
// faces that are asked about by none of the benchmarks, and waits until the
// library's query has read them: each query then matches its face against
// the policy before it asks the store.
void FillPolicy(const GlyphorLibrary& library, const ScopedPolicy& policy, int names);

// Waits, for a second at most, until the library's query answers the face's
// embedding switch as `on`: once it honours the last name written, it has
// read the policy again.
bool PolicyHonoured(const GlyphorLibrary& library, const char* face, bool on);

// The time from a change of the policy to the first query that honours it,
// in milliseconds: the median of `runs` changes, each of one name more in a
// policy that already names `names` faces (the query reads all of them again).
BenchRow MeasurePolicyChange(const GlyphorLibrary& library, const ScopedPolicy& policy, int names, int runs);
