#pragma once

#include "result_table.h"

#include <string>
#include <vector>

class GlyphorLibrary;
class ScopedProfile;

// IsEnabledForFacename through the export, in calls per second, against the
// same registry work done directly: open the list for reading, ask whether
// the face's value exists, close. Both ask about `faces` in turn, alternating
// the two lists.
BenchRow MeasureFaceQuery(const GlyphorLibrary& library, const ScopedProfile& profile,
                          const std::vector<std::string>& faces, int runs);
