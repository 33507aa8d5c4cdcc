#pragma once

#include "floor_dialog.h"

class ScopedProfile;

// Writes, for every face, the one switch that the dialog's OK writes for it
// (the embedding list for an embeddable face, else the tessellation list),
// each with its own open, set or delete, and close. Returns the seconds taken.
double DirectCommitSeconds(const ScopedProfile& profile, const std::vector<FloorFace>& faces);
