#pragma once

// The profile that the store code linked into this program works on: its key
// paths are built once, from the test's environment, so every test here that
// calls that code uses this one key, created empty and removed again.
#include "store/face_query.h"
#include "store/key_paths.h"
#include "store/switch_store.h"
#include "store/value_names.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

class ProcessProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ProfileKeyPaths().general, m_profile.General())
            << "run with KYREG8_PROFILE_KEY set to the program's own profile";
    }

    const ScopedProfile m_profile{"core_tests"};
};

// A face of one name, spelt in the ANSI code page.
inline FaceNames Face(const char* face)
{
    return FaceNames(WideFaceName(face));
}

// One face's switch written on its own, as the driver's query then finds it.
inline LONG SwitchFace(const char* face, int enabled, int tessellation)
{
    return CSwitchWriter(ProfileKeyPaths()).SetFaceEnabled(Face(face), enabled, tessellation);
}

// Both of a face's switches are on.
inline bool BothOn(const char* face)
{
    return IsEnabledForFacename(face, true) && IsEnabledForFacename(face, false);
}
