#pragma once

// What the report says of each installed face.

#include <string>
#include <vector>

// The header and one record per installed TrueType face, in the order of the
// font selection dialog's list: its name here, its names in other languages
// (each with its language), its licence in the words of the current resource
// module, and each switch's state with what sets it. The switches are those
// of the host's current profile and the administrator's policy, as the
// driver's query answers them. Throws std::bad_alloc.
std::wstring FaceRecords();
