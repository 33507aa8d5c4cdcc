#pragma once

// Which face a name that a driver asks about is: the names it goes by.

#include "face_names.h"

#include <memory>
#include <string>

// The names of the face that `asked` names, learnt by realising the name on a
// device context of the calling thread's own, or, where the font service
// does not take the name for the face (it is longer than a logical font
// holds, or a full name in another language), each face of the family whose
// name it begins with: only a face realised that goes by that very name, as
// the font service reports it or as its own name table gives it, answers, so
// that a best-fit spelling of another face's name, or the fallback for a
// name no face has, never stands for the face. Null when no
// installed face goes by the name. Kept for the process: a face's names are
// learnt once, and a name no face had is tried again a second later, in case
// a face of that name was installed meanwhile. Any thread may ask; throws
// only std::bad_alloc.
std::shared_ptr<const FaceNames> ResolvedFaceNames(const std::wstring& asked);
