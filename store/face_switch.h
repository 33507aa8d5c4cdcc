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

// The switch of the face asked for by `asked`, one of its names. The name
// asked for is looked up first, in the policy and then in the list; the
// face's other names, which `namesOf` gives (null when they cannot be had),
// are asked for only when the policy does not set it under the name asked
// and either the policy sets some face's switch or the list does not name it
// so: the one name settles what it can at no cost.
FaceSwitch SwitchOf(const PolicySnapshot& policy, const CSwitchReader& lists, const std::wstring& asked,
                    const std::function<const FaceNames*()>& namesOf, bool tessellation);
