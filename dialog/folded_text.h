#pragma once

#include <windows.h>

#include <string>

// Text as the find box compares it: in UTF-16, lower-cased there, so that a
// match is made of whole characters and ignores case in every script the
// platform knows. Names are folded once, the find text once per change.
std::wstring FoldedForFinding(std::wstring text);
