#pragma once

#include "dialog_session.h"
#include "store_contents.h"

#include "dialog/control_ids.h"
#include "tests/support/default_lists.h"
#include "tests/support/test_fonts.h"

#include <gtest/gtest.h>

// Each test works on a profile of its own, named after the test and removed
// afterwards, with the generated test fonts registered for the process.
class DialogTest : public ::testing::Test {
protected:
    DialogTest();

    // A profile with both lists, holding `embedded` and `tessellated`.
    void FillStore(std::initializer_list<const char*> embedded, std::initializer_list<const char*> tessellated) const;

    PrivateFonts fonts;
    ScopedProfile profile;
};

// Faces of the standard test set the tests rely on.
extern const char kSans[];       // fsType 0, four code pages
extern const char kSansBold[];   // fsType 0
extern const char kRestricted[]; // fsType 2: embedding restricted
extern const char kPreview[];    // fsType 4

// Waits for the box saying that switches could not be saved (naming `faces`
// fonts) or reset (`faces` -1), checks that it gives `reason`, and answers it.
void AnswerFailureBox(const DialogWindow& dialog, int faces, const std::wstring& reason);
// The reason it gives when the profile has no General, or the host cannot
// name its profile, as the resource library words it.
std::wstring NoSettingsPlace();

// The words the list shows beside some test faces: which switch a check
// allows, and the licence; each as its own face's row must show them.
void ExpectWordsOfTheirFaces(const FontList& list);
