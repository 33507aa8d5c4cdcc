#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ScopedProfile;

// A face as the floor dialog discovered it.
struct FloorFace {
    std::string name;
    bool embeddable;
    bool enabled; // both switches on
};

// Shows the font selection template of the resource library with a dialog
// procedure of its own that does only the work no implementation can skip:
// the two-level enumeration with every TrueType variant realised and
// measured, one store answer per new face from list keys opened once, and
// the list filled with one checked or unchecked item per face while its
// redrawing is suspended. Returns when the dialog is closed; the faces in
// discovery order.
std::vector<FloorFace> RunFloorDialog(HINSTANCE resources, const ScopedProfile& profile);
