#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ScopedProfile;

// A face as the floor dialog discovered it.
struct FloorFace {
    std::string name;
    bool embeddable;
    bool enabled; // the switch its check controls is on
    LOGFONTA realisedFrom; // the report its face was realised from
};

struct FloorOpening {
    std::vector<FloorFace> faces; // in list order
    // Where the opening's time went.
    double firstLevelSeconds = 0;  // the family list
    double secondLevelSeconds = 0; // the families' variant reports
    double realiseSeconds = 0;     // the faces realised and measured
    double fillSeconds = 0;        // the list filled
};

// Shows the font selection template of the resource library, its list not
// sorting itself, with a dialog procedure of its own that does only the work
// no implementation can skip: each list's value names read once; the
// two-level enumeration, vertical forms aside, with each family asked once
// and each face realised and measured once (each of its reports when two
// faces of the family share a weight and a slant, as then the character set
// picks the face), each new
// face answered from the names read; the faces sorted once by their locale
// sort keys; the list filled in that order with one checked or unchecked
// item per face while its redrawing is suspended; the focused face in the
// preview band as FloorPreview draws it. Its controls are the version 6 ones
// the manifest of `library` names, as the library's dialog has them. Returns
// when the dialog is closed.
FloorOpening RunFloorDialog(HINSTANCE resources, HMODULE library, const ScopedProfile& profile);
