#pragma once

// The built-in default lists, the one description of them the tests share.
#include "registry_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The default embedding exclusions, spelled as profiles in the field store
// them, misspellings included.
extern const std::vector<std::string> kDefaultFaces;
bool IsDefaultFace(const std::string& face);

// The profile's lists are exactly as the defaults leave them: an empty
// tessellation list, and an embedding list holding the default names, each a
// DWORD 0, and nothing else. Otherwise the failure says what differs.
::testing::AssertionResult HoldsDefaults(const ScopedProfile& profile);
