#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Puts the inserts in place of %1, %2 ... of a resource string; any other
// text, a stray % included, stays as it is.
std::string WithInserts(const std::string& pattern, const std::vector<std::string>& inserts);

// The system's words for an error, in the thread's ANSI code page and
// without the closing line break; the number alone when it has none.
std::string SystemErrorText(LONG error);
