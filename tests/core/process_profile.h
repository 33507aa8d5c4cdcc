#pragma once

// The profile that the store code linked into this program works on: its key
// paths were built at start-up from the test's environment, so every test
// here that calls that code uses this one key, created empty and removed again.
#include "store/key_paths.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

class ProcessProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(g_profileKey, m_profile.Path()) << "run with KYREG8_PROFILE_KEY set to the program's own profile";
    }

    const ScopedProfile m_profile{"core_tests"};
};
