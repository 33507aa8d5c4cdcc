#pragma once

#include "floor_dialog.h"

class ScopedProfile;

// Writes, for every face, the one switch that the dialog's OK writes for it
// (the embedding list for an embeddable face, else the tessellation list):
// each list key opened once, when first needed, then one value set or
// deleted per face. Returns the seconds taken.
double DirectCommitSeconds(const ScopedProfile& profile, const std::vector<FloorFace>& faces);
