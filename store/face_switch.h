#pragma once

// One switch of one face as the driver, the dialog and the report of faces
// all take it: the administrator's policy over the user's list, either of
// which may name the face by any of its names.

#include "policy.h"
#include "switch_store.h"

#include <functional>
#include <string>

// What sets a face's switch.
enum class SwitchSource : unsigned char {
    MachinePolicy,
    UserPolicy,
    UserSwitch, // the user's list names the face: off
    NotSet,     // nothing names it: on
};

struct FaceSwitch {
    bool on = true;
    SwitchSource source = SwitchSource::NotSet;
};

// The switch of the face asked for by `asked`, one of its names or its
// vertical form: the policy for it under any of its names, the machine's over
// the user's and "never" over "always", else the list's under any of its
// names. The face's names, which `namesOf` gives (null when they cannot be
// had), are asked for only where the name asked settles nothing: the
// machine's policy does not turn the switch off under it, and either some
// policy sets a face's switch or the list does not name it so.
FaceSwitch SwitchOf(const PolicySnapshot& policy, const CSwitchReader& lists, const std::wstring& asked,
                    const std::function<const FaceNames*()>& namesOf, bool tessellation);
