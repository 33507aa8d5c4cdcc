#pragma once

// The lists as the defaults leave them, checked against the profile's keys.
#include "tests/support/registry_fixture.h"

// The tessellation list exists and is empty, and the embedding list holds
// exactly the twenty default names, each a DWORD 0.
void ExpectDefaultLists(const ScopedProfile& profile);
